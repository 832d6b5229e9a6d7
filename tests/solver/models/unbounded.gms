* x - y <= 1 with x, y >= 0 leaves x + y unbounded above.
Positive Variables x, y;
Variable z;
Equations obj, link;
obj..  z =e= x + y;
link.. x - y =l= 1;
Model m / all /;
Solve m using lp maximizing z;
