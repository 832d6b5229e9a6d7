$title Nonlinear check: order x now at unit cost c, pay h/2 per squared unit of mismatch with the demand xi later
* pha writes one copy of this file per scenario and iteration. The scenario's
* demand xi and the coefficients c and h come from the settings file.
* Optimum of the stochastic problem: x = sum of p(s)*xi(s), minus c/h.
* The same model as quadratic.gms, with the scenario's cost without the
* hedging terms in the variable scenarioCost, for pha --cost scenarioCost.

Scalars xi   'demand of this scenario'
        c    'unit cost of the first-stage order'
        h    'curvature of the mismatch cost'
        w    'progressive hedging weight'
        xbar 'first-stage average of the last iteration'
        rho  'penalty parameter';
xi = @0 ;
c = @1 ;
h = @2 ;
w = @100 ;
xbar = @200 ;
rho = @500 ;

Set j 'first- and second-stage index' / 1 /;
Variables x(j) 'order placed now'
          y(j) 'mismatch with the demand, found later'
          z    'cost of the scenario plus the hedging terms'
          scenarioCost 'cost of the scenario alone';

Equations mismatch, costDef, obj;
mismatch.. y('1') =e= x('1') - xi;
costDef..  scenarioCost =e= c*x('1') + h/2*sqr(y('1'));
obj..      z =e= scenarioCost + w*x('1') + rho/2*sqr(x('1') - xbar);

Model quadratic / all /;
Solve quadratic using nlp minimizing z;
