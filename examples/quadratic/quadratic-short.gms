$title Nonlinear check: order x now at unit cost c, pay h/2 per squared unit of mismatch with the demand xi later (the model alone)
* The short template: only the scenario's model and its data codes (an at
* sign and 0 to 2: xi, c and h of the settings file). Its solve statement
* minimises the scenario's cost: run it with --cost scenarioCost, and pha
* adds the progressive hedging terms to every model it writes from it.
* Optimum of the stochastic problem: x = sum of p(s)*xi(s), minus c/h.

Scalars xi 'demand of this scenario'
        c  'unit cost of the first-stage order'
        h  'curvature of the mismatch cost';
xi = @0 ;
c = @1 ;
h = @2 ;

Set j 'first- and second-stage index' / 1 /;
Variables x(j) 'order placed now'
          y(j) 'mismatch with the demand, found later'
          scenarioCost 'cost of the scenario';

Equations mismatch, costDef;
mismatch.. y('1') =e= x('1') - xi;
costDef..  scenarioCost =e= c*x('1') + h/2*sqr(y('1'));

Model quadratic / all /;
Solve quadratic using nlp minimizing scenarioCost;
