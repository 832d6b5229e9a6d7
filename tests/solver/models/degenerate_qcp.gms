$title One LandS scenario with progressive hedging terms: a degenerate QCP
* With exact bounds Ipopt stalls on this model (ever shorter steps until the
* time limit); the solve must still end optimal. With rho 0 the quadratic
* terms vanish and the model is an LP in a QCP's clothes.
Set i 'plant types' / 1*4 /
    m 'operating modes' / 1*3 /
    k 'plant and mode' / 1*12 /;
Parameter inv(i) / 1 10, 2 7, 3 16, 4 6 /
          plant(k) / 1 1, 2 1, 3 1, 4 2, 5 2, 6 2, 7 3, 8 3, 9 3, 10 4, 11 4, 12 4 /
          mode(k)  / 1 1, 2 2, 3 3, 4 1, 5 2, 6 3, 7 1, 8 2, 9 3, 10 1, 11 2, 12 3 /
          d(m) / 1 3, 2 3, 3 2 /
          xbar(i) / 1 1.619232960357305, 2 4.366261622524330, 3 3.414505417030022, 4 2.600000000016735 /;
Table op(i,m)
         1     2     3
    1    40    24    4
    2    45    27    4.5
    3    32    19.2  3.2
    4    55    33    5.5 ;
Parameter opk(k);
opk(k) = sum((i,m)$(plant(k) eq ord(i) and mode(k) eq ord(m)), op(i,m));
Scalar rho / 0.1 /;
Positive Variables x(i), y(k);
Variable z;
Equations minCap, budget, cap(i), demand(m), obj, cost;
minCap..    sum(i, x(i)) =g= 12;
budget..    sum(i, inv(i)*x(i)) =l= 120;
cap(i)..    sum(k$(plant(k) eq ord(i)), y(k)) =l= x(i);
demand(m).. sum(k$(mode(k) eq ord(m)), y(k)) =e= d(m);
obj..       z =e= sum(i, inv(i)*x(i)) + sum(k, opk(k)*y(k)) + rho/2*sum(i, sqr(x(i) - xbar(i)));
cost..      z =e= sum(i, inv(i)*x(i)) + sum(k, opk(k)*y(k));
Model scenario / minCap, budget, cap, demand, obj /
      plain    / minCap, budget, cap, demand, cost /;
option reslim = 60, decimals = 8;
Solve scenario using qcp minimizing z;
Scalar penalised 'objective with rho 0.1';
penalised = z.l;
display penalised;
rho = 0;
Solve scenario using qcp minimizing z;
Scalar vanished 'objective with rho 0, solved as a QCP';
vanished = z.l;
display vanished;
Solve plain using lp minimizing z;
Scalar linear 'objective without the hedging terms, as an LP';
linear = z.l;
display linear;
