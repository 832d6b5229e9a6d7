$title L-shaped example (Birge and Louveaux): extensive form of the two scenarios
* Plain model, no substitution codes: solve it directly with gams.

Set i 'first-stage decisions'  / 1*2 /
    j 'second-stage decisions' / 1*2 /
    s 'scenarios' / s1, s2 /;

Parameter c(i) 'first-stage unit cost' / 1 100, 2 150 /
          p(s) 'probability' / s1 0.4, s2 0.6 /;
Table q(s,j) 'selling price'
          1    2
    s1   24   28
    s2   28   32 ;
Table d(s,j) 'demand'
          1     2
    s1  500   100
    s2  300   300 ;

Positive Variables x(i), y(s,j);
Variable z 'expected cost';
x.lo('1') = 40;
x.lo('2') = 20;
y.up(s,j) = d(s,j);

Equations total, res1(s), res2(s), obj;
total.. x('1') + x('2') =l= 120;
res1(s).. 6*y(s,'1') + 10*y(s,'2') =l= 60*x('1');
res2(s).. 8*y(s,'1') + 5*y(s,'2') =l= 80*x('2');
obj..     z =e= sum(i, c(i)*x(i)) - sum(s, p(s)*sum(j, q(s,j)*y(s,j)));

Model lshapedEF / all /;
Solve lshapedEF using lp minimizing z;
display x.l, z.l;
