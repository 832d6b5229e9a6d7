$title Facility location under uncertain demand: one scenario with its progressive hedging terms and its cost as a variable (--cost scenarioCost)
* pha writes one copy of this file per scenario and iteration, replacing the
* substitution codes (an at sign and a number) by the scenario's demands, its
* weights, the first-stage averages and rho. See README.md beside this file.

Set i 'sites' / 1*3 /
    j 'second-stage decisions: shipments 1..6, unmet demand 7..8' / 1*8 /;

Parameter fixed(i)  'cost of opening a site' / 1 80, 2 70, 3 90 /
          demand(j) 'demand of customers 1 and 2 in this scenario'
          w(i)      'progressive hedging weights'
          xbar(i)   'first-stage average of the last iteration';
demand('1') = @0 ;
demand('2') = @1 ;
w('1') = @100 ;
w('2') = @101 ;
w('3') = @102 ;
xbar('1') = @200 ;
xbar('2') = @201 ;
xbar('3') = @202 ;
Scalar rho 'penalty parameter' / @300 /;

* x: site open (first stage). y: units shipped from site 1 to customers 1
* and 2 (1, 2), from site 2 (3, 4), from site 3 (5, 6), and the demand of
* customers 1 and 2 left unmet at a penalty of 20 per unit (7, 8).
Binary Variable x(i);
Positive Variable y(j);
Variable z 'cost of the scenario plus the hedging terms'
         scenarioCost 'cost of the scenario';

Equations cap1, cap2, cap3, need1, need2, costdef, obj;
cap1..  y('1') + y('2') =l= 50*x('1');
cap2..  y('3') + y('4') =l= 40*x('2');
cap3..  y('5') + y('6') =l= 60*x('3');
need1.. y('1') + y('3') + y('5') + y('7') =g= demand('1');
need2.. y('2') + y('4') + y('6') + y('8') =g= demand('2');
* For a binary x, (x - xbar)^2 = x*(1 - 2*xbar) + xbar^2 (as x^2 = x): the
* proximal term is linear and every scenario stays a MIP.
costdef.. scenarioCost =e= sum(i, fixed(i)*x(i)) + 2*y('1') + 6*y('2') + 5*y('3') + 2*y('4')
              + 3*y('5') + 3*y('6') + 20*(y('7') + y('8'));
obj..   z =e= scenarioCost + sum(i, w(i)*x(i)) + rho/2*sum(i, x(i)*(1 - 2*xbar(i)) + sqr(xbar(i)));

Model facility / all /;
option optcr = 0;
Solve facility using mip minimizing z;
