$title L-shaped example (Birge and Louveaux): one scenario, the model alone
* The short template: only the scenario's model and its data codes (an at
* sign and 0 to 3: the prices and the demands). Its solve statement minimises
* the scenario's cost: run it with --cost scenarioCost, and pha adds the
* progressive hedging terms to every model it writes from it.
* See README.md beside this file.

Set i 'first-stage decisions'  / 1*2 /
    j 'second-stage decisions' / 1*2 /;

Parameter c(i) 'first-stage unit cost' / 1 100, 2 150 /
          q(j) 'selling price in this scenario'
          d(j) 'demand in this scenario';
q('1') = @0 ;
q('2') = @1 ;
d('1') = @2 ;
d('2') = @3 ;

* x: first-stage capacities; y: amounts sold once prices and demands are known.
Positive Variables x(i), y(j);
Variable scenarioCost 'cost of the scenario';
x.lo('1') = 40;
x.lo('2') = 20;
y.up(j) = d(j);

Equations total, res1, res2, costDef;
total.. x('1') + x('2') =l= 120;
res1..  6*y('1') + 10*y('2') =l= 60*x('1');
res2..  8*y('1') + 5*y('2') =l= 80*x('2');
costDef.. scenarioCost =e= sum(i, c(i)*x(i)) - sum(j, q(j)*y(j));

Model lshaped / all /;
Solve lshaped using lp minimizing scenarioCost;
