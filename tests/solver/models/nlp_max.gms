$title Separable concave maximisation
* z = log(y) - y/2 - exp(x) + 3x: x = log(3), y = 2,
* z = log(2) + 3 log(3) - 4.
Variables x, y, z;
y.lo = 0.01;
y.l = 1;
Equation def  the objective;
def.. z =e= log(y) - y/2 - exp(x) + 3*x;
Model concave / def /;
Solve concave using nlp maximizing z;
option decimals = 8;
display x.l, y.l, z.l;
