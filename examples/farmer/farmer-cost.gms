$title Farmer problem (Birge and Louveaux): one yield scenario, its cost as a variable of its own
* pha writes one copy of this file per scenario and iteration, replacing the
* substitution codes (an at sign and a number) by the scenario's yields, its
* weights, the first-stage averages and rho. See README.md beside this file.
* The same model as farmer.gms, with the scenario's cost without the hedging
* terms in the variable scenarioCost, for pha --cost scenarioCost.

Set i  'crops: 1 wheat, 2 corn, 3 sugar beets' / 1*3 /
    j  'second-stage decisions' / 1*6 /;

Parameter yield(i) 'T per acre in this scenario'
          cost(i)  'planting cost per acre'  / 1 150, 2 230, 3 260 /
          w(i)     'progressive hedging weights'
          xbar(i)  'first-stage average of the last iteration';
yield('1') = @0 ;
yield('2') = @1 ;
yield('3') = @2 ;
w('1') = @100 ;
w('2') = @101 ;
w('3') = @102 ;
xbar('1') = @200 ;
xbar('2') = @201 ;
xbar('3') = @202 ;
Parameter rho(i) 'penalty parameter of each first-stage variable';
rho('1') = @500 ;
rho('2') = @501 ;
rho('3') = @502 ;

* x: acres planted (first stage). y: T of wheat and corn bought (1, 2), of
* wheat and corn sold (3, 4), of beets sold at 36 within the quota (5) and
* at 10 above it (6).
Positive Variables x(i), y(j);
Variables z            'cost of the scenario plus the hedging terms'
          scenarioCost 'cost of the scenario alone';
y.up('5') = 6000;

Equations land, needWheat, needCorn, beets, costDef, obj;
land..      sum(i, x(i)) =l= 500;
needWheat.. yield('1')*x('1') + y('1') - y('3') =g= 200;
needCorn..  yield('2')*x('2') + y('2') - y('4') =g= 240;
beets..     y('5') + y('6') =l= yield('3')*x('3');
costDef..   scenarioCost =e= sum(i, cost(i)*x(i)) + 238*y('1') + 210*y('2')
                  - 170*y('3') - 150*y('4') - 36*y('5') - 10*y('6');
obj..       z =e= scenarioCost + sum(i, w(i)*x(i)) + sum(i, rho(i)/2*sqr(x(i) - xbar(i)));

Model farmer / all /;
Solve farmer using qcp minimizing z;
