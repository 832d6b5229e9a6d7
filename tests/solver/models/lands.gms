$title LandS: capacity expansion of Louveaux and Smeers
$ontext
Four plant types, three operating modes, demand of mode 1 uncertain.
Optimum x = (8/3, 4, 10/3, 2), expected cost 381.853333.
$offtext
Sets i plants / p1*p4 /
     j modes  / m1*m3 /
     s scenarios / s1*s3 /;
Parameters invest(i) / p1 10, p2 7, p3 16, p4 6 /
           prob(s)   / s1 0.3, s2 0.4, s3 0.3 /;
Table opcost(i,j)
        m1     m2     m3
   p1   40     24     4
   p2   45     27     4.5
   p3   32     19.2   3.2
   p4   55     33     5.5 ;
Table demand(s,j)
        m1  m2  m3
   s1    3   3   2
   s2    5   3   2
   s3    7   3   2 ;
Positive Variables x(i), y(s,i,j);
Variable cost;
Equations total, mincap, budget, capacity(s,i), serve(s,j);
total..  cost =e= sum(i, invest(i)*x(i)) + sum(s, prob(s)*sum((i,j), opcost(i,j)*y(s,i,j)));
mincap.. sum(i, x(i)) =g= 12;
budget.. sum(i, invest(i)*x(i)) =l= 120;
capacity(s,i).. sum(j, y(s,i,j)) =l= x(i);
serve(s,j)..    sum(i, y(s,i,j)) =e= demand(s,j);
Model lands / all /;
Solve lands minimizing cost using lp;
option decimals = 8;
display x.l, cost.l;
