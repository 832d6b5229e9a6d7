$title L-shaped example (Birge and Louveaux): one scenario, its cost as a variable of its own
* pha writes one copy of this file per scenario and iteration, replacing the
* substitution codes by the scenario's prices and demands, its weights, the
* first-stage averages and rho. See README.md beside this file.
* The same model as lshaped.gms, with the scenario's cost without the
* hedging terms in the variable scenarioCost and rho per first-stage
* variable, for pha --cost scenarioCost.

Set i 'first-stage decisions'  / 1*2 /
    j 'second-stage decisions' / 1*2 /;

Parameter c(i)    'first-stage unit cost' / 1 100, 2 150 /
          q(j)    'selling price in this scenario'
          d(j)    'demand in this scenario'
          w(i)    'progressive hedging weights'
          xbar(i) 'first-stage average of the last iteration';
q('1') = @0 ;
q('2') = @1 ;
d('1') = @2 ;
d('2') = @3 ;
w('1') = @100 ;
w('2') = @101 ;
xbar('1') = @200 ;
xbar('2') = @201 ;
Parameter rho(i) 'penalty parameter of each first-stage variable';
rho('1') = @500 ;
rho('2') = @501 ;

* x: first-stage capacities; y: amounts sold once prices and demands are known.
Positive Variables x(i), y(j);
Variables z            'cost of the scenario plus the hedging terms'
          scenarioCost 'cost of the scenario alone';
x.lo('1') = 40;
x.lo('2') = 20;
y.up(j) = d(j);

Equations total, res1, res2, costDef, obj;
total.. x('1') + x('2') =l= 120;
res1..  6*y('1') + 10*y('2') =l= 60*x('1');
res2..  8*y('1') + 5*y('2') =l= 80*x('2');
costDef.. scenarioCost =e= sum(i, c(i)*x(i)) - sum(j, q(j)*y(j));
obj..   z =e= scenarioCost + sum(i, w(i)*x(i)) + sum(i, rho(i)/2*sqr(x(i) - xbar(i)));

Model lshaped / all /;
Solve lshaped using qcp minimizing z;
