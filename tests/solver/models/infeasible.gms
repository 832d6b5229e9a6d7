* x >= 2 and x <= 1 at once: no solution.
Positive Variable x;
Variable z;
Equations lowx, highx, obj;
lowx..  x =g= 2;
highx.. x =l= 1;
obj..   z =e= x;
Model m / all /;
Solve m using lp minimizing z;
