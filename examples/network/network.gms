$title Network design under uncertain demand: one scenario with its progressive hedging terms (--cost scenarioCost)
* pha writes one copy of this file per scenario and iteration, replacing the
* substitution codes (an at sign and a number) by the scenario's demands, its
* weights, the first-stage averages and rho. See README.md beside this file.

Set i 'candidate sites' / 1*8 /
    c 'customers' / 1*4 /
    j 'second-stage decisions: shipments 1..32 (site-major), unmet demand 33..36' / 1*36 /;

Parameter fixed(i) 'cost of opening a site' / 1 400, 2 450, 3 500, 4 300, 5 400, 6 300, 7 500, 8 500 /
          cap(i)   'capacity of a site'     / 1 100, 2 100, 3 120, 4 80, 5 100, 6 60, 7 100, 8 100 /
          demand(c) 'demand of the customers in this scenario'
          w(i)     'progressive hedging weights'
          xbar(i)  'first-stage average of the last iteration';
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
w('1') = @100 ;
w('2') = @101 ;
w('3') = @102 ;
w('4') = @103 ;
w('5') = @104 ;
w('6') = @105 ;
w('7') = @106 ;
w('8') = @107 ;
xbar('1') = @200 ;
xbar('2') = @201 ;
xbar('3') = @202 ;
xbar('4') = @203 ;
xbar('5') = @204 ;
xbar('6') = @205 ;
xbar('7') = @206 ;
xbar('8') = @207 ;
Scalar rho 'penalty parameter' / @300 /
       lost 'cost of a unit of demand left unmet' / 25 /;

* The shipment from site i to customer c is y(j) with j = 4*(i-1) + c; the
* demand of customer c left unmet is y(32 + c).
Set ship(i,c,j) 'which y ships from i to c';
ship(i,c,j)$(ord(j) = 4*(ord(i)-1) + ord(c)) = yes;

Binary Variable x(i) 'site i is opened';
Positive Variable y(j);
Variable z 'cost of the scenario plus the hedging terms'
         scenarioCost 'cost of the scenario';

Equations capacity(i), need(c), costdef, obj;
capacity(i).. sum((c,j)$ship(i,c,j), y(j)) =l= cap(i)*x(i);
need(c)..     sum((i,j)$ship(i,c,j), y(j)) + sum(j$(ord(j) = 32 + ord(c)), y(j)) =g= demand(c);
costdef..     scenarioCost =e= sum(i, fixed(i)*x(i)) + sum((i,c,j)$ship(i,c,j), unit(i,c)*y(j))
                               + lost*sum(j$(ord(j) > 32), y(j));
* For a binary x, (x - xbar)^2 = x*(1 - 2*xbar) + xbar^2 (as x^2 = x): the
* proximal term is linear and every scenario stays a MIP.
obj..         z =e= scenarioCost + sum(i, w(i)*x(i)) + rho/2*sum(i, x(i)*(1 - 2*xbar(i)) + sqr(xbar(i)));

Model network / all /;
option optcr = 0;
Solve network using mip minimizing z;
