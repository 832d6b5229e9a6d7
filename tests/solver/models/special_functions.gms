* Functions of variables beyond the polynomial ones, with known optima:
* gamma has its minimum 0.885603194410889 at 1.46163214496836; sin(x) on
* [3, 6] its minimum -1 at 3*pi/2; centropy(x, 1 - x) = x*log(x/(1-x)) is
* minimal where log(x/(1-x)) + 1/(1-x) = 0: x = 0.2178117057198, -0.2784645427611.
Variable g, s, c, x1, x2, x3;
x1.lo = 0.5; x1.up = 3; x1.l = 2;
x2.lo = 3;   x2.up = 6; x2.l = 4;
x3.lo = 0.01; x3.up = 0.99; x3.l = 0.5;
Equation eg, es, ec;
eg.. g =e= gamma(x1);
es.. s =e= sin(x2) + 0*cos(x2);
ec.. c =e= centropy(x3, 1 - x3);
Model mg / eg /, ms / es /, mc / ec /;
solve mg using nlp minimizing g;
solve ms using nlp minimizing s;
solve mc using nlp minimizing c;
option decimals = 8;
display x1.l, g.l, x2.l, s.l, x3.l, c.l;
