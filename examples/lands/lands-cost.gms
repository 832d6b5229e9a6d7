$title LandS capacity expansion (Louveaux and Smeers): one demand scenario, its cost as a variable of its own
* pha writes one copy of this file per scenario and iteration, replacing the
* substitution codes by the scenario's demand, its weights, the first-stage
* averages and rho. See README.md beside this file. The same model as
* lands.gms, with the scenario's cost without the hedging terms in the variable
* scenarioCost, for pha --cost scenarioCost.

Set i 'plant types'                                 / 1*4 /
    m 'operating modes'                             / 1*3 /
    k 'second-stage decisions, one per plant and mode' / 1*12 /;

Parameter inv(i)   'investment cost per unit of capacity' / 1 10, 2 7, 3 16, 4 6 /
          plant(k) 'plant type of decision k'  / 1 1, 2 1, 3 1, 4 2, 5 2, 6 2, 7 3, 8 3, 9 3, 10 4, 11 4, 12 4 /
          mode(k)  'operating mode of decision k' / 1 1, 2 2, 3 3, 4 1, 5 2, 6 3, 7 1, 8 2, 9 3, 10 1, 11 2, 12 3 /;

Table op(i,m) 'operating cost per unit'
         1     2     3
    1    40    24    4
    2    45    27    4.5
    3    32    19.2  3.2
    4    55    33    5.5 ;

Parameter opk(k) 'operating cost of decision k'
          d(m)   'demand in each mode'
          w(i)   'progressive hedging weights'
          xbar(i) 'first-stage average of the last iteration';
opk(k) = sum((i,m)$(plant(k) eq ord(i) and mode(k) eq ord(m)), op(i,m));
d('1') = @0 ;
d('2') = 3;
d('3') = 2;
w('1') = @100 ;
w('2') = @101 ;
w('3') = @102 ;
w('4') = @103 ;
xbar('1') = @200 ;
xbar('2') = @201 ;
xbar('3') = @202 ;
xbar('4') = @203 ;
Parameter rho(i) 'penalty parameter of each first-stage variable';
rho('1') = @500 ;
rho('2') = @501 ;
rho('3') = @502 ;
rho('4') = @503 ;

* x: capacity built of each plant type (first stage); y: production of each
* plant type in each mode (second stage).
Positive Variables x(i), y(k);
Variables z            'cost of the scenario plus the hedging terms'
          scenarioCost 'cost of the scenario alone';

Equations minCap, budget, cap(i), demand(m), costDef, obj;
minCap..    sum(i, x(i)) =g= 12;
budget..    sum(i, inv(i)*x(i)) =l= 120;
cap(i)..    sum(k$(plant(k) eq ord(i)), y(k)) =l= x(i);
demand(m).. sum(k$(mode(k) eq ord(m)), y(k)) =e= d(m);
costDef..   scenarioCost =e= sum(i, inv(i)*x(i)) + sum(k, opk(k)*y(k));
obj..       z =e= scenarioCost + sum(i, w(i)*x(i)) + sum(i, rho(i)/2*sqr(x(i) - xbar(i)));

Model lands / all /;
Solve lands using qcp minimizing z;
