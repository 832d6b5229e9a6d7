$title LandS capacity expansion (Louveaux and Smeers): extensive form of the three demand scenarios
* Plain model, no substitution codes: solve it directly with gams.

Set i 'plant types'     / 1*4 /
    m 'operating modes' / 1*3 /
    s 'demand scenarios' / low, mid, high /;

Parameter inv(i) 'investment cost per unit of capacity' / 1 10, 2 7, 3 16, 4 6 /
          p(s)   'probability' / low 0.3, mid 0.4, high 0.3 /;

Table op(i,m) 'operating cost per unit'
         1     2     3
    1    40    24    4
    2    45    27    4.5
    3    32    19.2  3.2
    4    55    33    5.5 ;

Table d(m,s) 'demand in each mode'
         low   mid   high
    1    3     5     7
    2    3     3     3
    3    2     2     2 ;

Positive Variables x(i) 'capacity built', y(i,m,s) 'production';
Variable z 'expected cost';

Equations minCap, budget, cap(i,s), demand(m,s), obj;
minCap..      sum(i, x(i)) =g= 12;
budget..      sum(i, inv(i)*x(i)) =l= 120;
cap(i,s)..    sum(m, y(i,m,s)) =l= x(i);
demand(m,s).. sum(i, y(i,m,s)) =e= d(m,s);
obj..         z =e= sum(i, inv(i)*x(i)) + sum(s, p(s)*sum((i,m), op(i,m)*y(i,m,s)));

Model landsEF / all /;
Solve landsEF using lp minimizing z;
display x.l, z.l;
