$title Facility location under uncertain demand: one scenario, the model alone
* The short template: only the scenario's model and its data codes (an at
* sign and 0, 1: the demands). Its solve statement minimises the scenario's
* cost: run it with --cost scenarioCost, and pha adds the progressive hedging
* terms to every model it writes from it. x is binary, so pha writes the
* proximal term in its linear form (x^2 = x) and every scenario stays a MIP.
* See README.md beside this file.

Set i 'sites' / 1*3 /
    j 'second-stage decisions: shipments 1..6, unmet demand 7..8' / 1*8 /;

Parameter fixed(i)  'cost of opening a site' / 1 80, 2 70, 3 90 /
          demand(j) 'demand of customers 1 and 2 in this scenario';
demand('1') = @0 ;
demand('2') = @1 ;

* x: site open (first stage). y: units shipped from site 1 to customers 1
* and 2 (1, 2), from site 2 (3, 4), from site 3 (5, 6), and the demand of
* customers 1 and 2 left unmet at a penalty of 20 per unit (7, 8).
Binary Variable x(i);
Positive Variable y(j);
Variable scenarioCost 'cost of the scenario';

Equations cap1, cap2, cap3, need1, need2, costdef;
cap1..  y('1') + y('2') =l= 50*x('1');
cap2..  y('3') + y('4') =l= 40*x('2');
cap3..  y('5') + y('6') =l= 60*x('3');
need1.. y('1') + y('3') + y('5') + y('7') =g= demand('1');
need2.. y('2') + y('4') + y('6') + y('8') =g= demand('2');
costdef.. scenarioCost =e= sum(i, fixed(i)*x(i)) + 2*y('1') + 6*y('2') + 5*y('3') + 2*y('4')
              + 3*y('5') + 3*y('6') + 20*(y('7') + y('8'));

Model facility / all /;
option optcr = 0;
Solve facility using mip minimizing scenarioCost;
