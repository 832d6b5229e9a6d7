* Bounds and fixed variables: x(1) fixed at 4, x(2) capped at 3, x(3) >= 0
* against targets (1, 5, -2): x = (4, 3, 0), z = 17.
Set i / 1*3 /;
Parameter t(i) / 1 1, 2 5, 3 -2 /, r(i);
Variable x(i), z;
x.fx('1') = 4;
x.up('2') = 3;
x.lo(i)$(t(i) < 0) = 0;
Equation fit;
fit.. z =e= sum(i, sqr(x(i) - t(i)));
Model m / fit /;
m.optfile = 0;
* (a solver option file, optfile > 0, would be refused: none is read)
option limrow = 0, limcol = 0, qcp = conopt;
solve m min z use qcp;
Scalar status  model status after the solve;
status = m.modelstat;
r(i) = 2*x.l(i) + x.lo(i)$(ord(i) = 3);
option decimals = 8;
display x.l, x.lo, x.up, z.l, r, status;
