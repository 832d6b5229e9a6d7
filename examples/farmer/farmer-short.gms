$title Farmer problem (Birge and Louveaux): one yield scenario, the model alone
* The short template: only the scenario's model and its data codes (an at
* sign and 0, 1, 2: the yields of the settings file). Its solve statement
* minimises the scenario's cost: run it with --cost scenarioCost, and pha
* adds the progressive hedging terms (weights, average, rho) to every model
* it writes from it.
* See README.md beside this file.

Set i  'crops: 1 wheat, 2 corn, 3 sugar beets' / 1*3 /
    j  'second-stage decisions' / 1*6 /;

Parameter yield(i) 'T per acre in this scenario'
          cost(i)  'planting cost per acre'  / 1 150, 2 230, 3 260 /;
yield('1') = @0 ;
yield('2') = @1 ;
yield('3') = @2 ;

* x: acres planted (first stage). y: T of wheat and corn bought (1, 2), of
* wheat and corn sold (3, 4), of beets sold at 36 within the quota (5) and
* at 10 above it (6).
Positive Variables x(i), y(j);
Variable scenarioCost 'cost of the scenario';
y.up('5') = 6000;

Equations land, needWheat, needCorn, beets, costDef;
land..      sum(i, x(i)) =l= 500;
needWheat.. yield('1')*x('1') + y('1') - y('3') =g= 200;
needCorn..  yield('2')*x('2') + y('2') - y('4') =g= 240;
beets..     y('5') + y('6') =l= yield('3')*x('3');
costDef..   scenarioCost =e= sum(i, cost(i)*x(i)) + 238*y('1') + 210*y('2')
                  - 170*y('3') - 150*y('4') - 36*y('5') - 10*y('6');

Model farmer / all /;
Solve farmer using lp minimizing scenarioCost;
