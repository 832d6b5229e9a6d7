$title Network design under uncertain demand: one scenario, its cost minimised (pha adds the hedging terms)
* pha writes one copy of this file per scenario and iteration, replacing the
* demand codes by the scenario's demands; with --cost scenarioCost it adds the
* weights, the averages, rho and the hedging terms itself. See README.md.

Set i 'candidate sites' / 1*8 /
    c 'customers' / 1*4 /
    j 'second-stage decisions: shipments 1..32 (site-major), unmet demand 33..36' / 1*36 /;

Parameter fixed(i) 'cost of opening a site' / 1 400, 2 450, 3 500, 4 300, 5 400, 6 300, 7 500, 8 500 /
          cap(i)   'capacity of a site'     / 1 100, 2 100, 3 120, 4 80, 5 100, 6 60, 7 100, 8 100 /
          demand(c) 'demand of the customers in this scenario';
Table unit(i,c) 'cost of shipping one unit'
        1     2     3     4
  1   3.1   4.5   5.9   2.7
  2   4.0   0.8   2.5   6.8
  3   5.9   6.9   7.4   1.1
  4   5.6   3.0   1.5   5.0
  5   7.2   4.3   1.6   6.5
  6   6.2   2.8   1.0   7.3
  7   6.8   3.8   1.1   6.4
  8   2.4   2.9   4.5   3.6 ;
demand('1') = @0 ;
demand('2') = @1 ;
demand('3') = @2 ;
demand('4') = @3 ;
Scalar lost 'cost of a unit of demand left unmet' / 25 /;

* The shipment from site i to customer c is y(j) with j = 4*(i-1) + c; the
* demand of customer c left unmet is y(32 + c).
Set ship(i,c,j) 'which y ships from i to c';
ship(i,c,j)$(ord(j) = 4*(ord(i)-1) + ord(c)) = yes;

Binary Variable x(i) 'site i is opened';
Positive Variable y(j);
Variable scenarioCost 'cost of the scenario';

Equations capacity(i), need(c), costdef;
capacity(i).. sum((c,j)$ship(i,c,j), y(j)) =l= cap(i)*x(i);
need(c)..     sum((i,j)$ship(i,c,j), y(j)) + sum(j$(ord(j) = 32 + ord(c)), y(j)) =g= demand(c);
costdef..     scenarioCost =e= sum(i, fixed(i)*x(i)) + sum((i,c,j)$ship(i,c,j), unit(i,c)*y(j))
                               + lost*sum(j$(ord(j) > 32), y(j));

Model network / all /;
option optcr = 0;
Solve network using mip minimizing scenarioCost;
