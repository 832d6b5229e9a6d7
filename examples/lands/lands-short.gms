$title LandS capacity expansion (Louveaux and Smeers): one demand scenario, the model alone
* The short template: only the scenario's model and its data code (an at sign
* and 0: the demand of the first mode). Its solve statement minimises the
* scenario's cost: run it with --cost scenarioCost, and pha adds the
* progressive hedging terms to every model it writes from it.
* See README.md beside this file.

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
          d(m)   'demand in each mode';
opk(k) = sum((i,m)$(plant(k) eq ord(i) and mode(k) eq ord(m)), op(i,m));
d('1') = @0 ;
d('2') = 3;
d('3') = 2;

* x: capacity built of each plant type (first stage); y: production of each
* plant type in each mode (second stage).
Positive Variables x(i), y(k);
Variable scenarioCost 'cost of the scenario';

Equations minCap, budget, cap(i), demand(m), costDef;
minCap..    sum(i, x(i)) =g= 12;
budget..    sum(i, inv(i)*x(i)) =l= 120;
cap(i)..    sum(k$(plant(k) eq ord(i)), y(k)) =l= x(i);
demand(m).. sum(k$(mode(k) eq ord(m)), y(k)) =e= d(m);
costDef..   scenarioCost =e= sum(i, inv(i)*x(i)) + sum(k, opk(k)*y(k));

Model lands / all /;
Solve lands using lp minimizing scenarioCost;
