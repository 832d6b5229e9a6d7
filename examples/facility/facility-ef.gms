$title Facility location under uncertain demand: the extensive form
* All three demand scenarios in one model: the sites opened (x, the first
* stage) are shared, the shipments and the unmet demand (y) are per scenario.
* Its optimum is the answer progressive hedging should find (see README.md).

Set i 'sites' / 1*3 /
    j 'second-stage decisions: shipments 1..6, unmet demand 7..8' / 1*8 /
    s 'demand scenarios: low, medium, high' / low, medium, high /;

Parameter fixed(i) 'cost of opening a site' / 1 80, 2 70, 3 90 /
          prob(s)  'probability'            / low 0.3, medium 0.4, high 0.3 /
          d1(s)    'demand of customer 1'   / low 20, medium 35, high 50 /
          d2(s)    'demand of customer 2'   / low 20, medium 30, high 45 /;

Binary Variable x(i) 'site open';
Positive Variable y(s,j) 'shipments and unmet demand per scenario';
Variable z 'fixed cost plus expected operating cost';

Equations cap1(s), cap2(s), cap3(s), need1(s), need2(s), obj;
cap1(s)..  y(s,'1') + y(s,'2') =l= 50*x('1');
cap2(s)..  y(s,'3') + y(s,'4') =l= 40*x('2');
cap3(s)..  y(s,'5') + y(s,'6') =l= 60*x('3');
need1(s).. y(s,'1') + y(s,'3') + y(s,'5') + y(s,'7') =g= d1(s);
need2(s).. y(s,'2') + y(s,'4') + y(s,'6') + y(s,'8') =g= d2(s);
obj..      z =e= sum(i, fixed(i)*x(i))
                 + sum(s, prob(s)*(2*y(s,'1') + 6*y(s,'2') + 5*y(s,'3') + 2*y(s,'4')
                                   + 3*y(s,'5') + 3*y(s,'6') + 20*(y(s,'7') + y(s,'8'))));

Model facilityEF / all /;
option optcr = 0;
Solve facilityEF using mip minimizing z;
