Set i / 1*3 /;
Acronym b;
Parameter p(i) / 1 2, 4 1 /;
Variable x(i), z;
Equation e(i), obj;
e(i).. x(i) =g= p(j);
obj.. z =e= sum(i, x(i)) + undefined;
Model m / all /;
Solve m using emp minimizing z;
