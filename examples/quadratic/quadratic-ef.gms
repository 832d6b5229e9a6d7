$title Nonlinear check: extensive form of the three demand scenarios
* Plain model, no substitution codes. Its optimum in closed form:
* x = sum of p(s)*xi(s) - c/h = 0.6 + 2.5 + 3 - 0.5 = 5.6, expected cost 25.88.

Set s 'demand scenarios' / low, mid, high /;
Parameter p(s)  'probability' / low 0.2, mid 0.5, high 0.3 /
          xi(s) 'demand'      / low 3, mid 5, high 10 /;
Scalars c / 2 /
        h / 4 /;

Set j / 1 /;
Variables x(j), y(s), z;
Equations mismatch(s), obj;
mismatch(s).. y(s) =e= x('1') - xi(s);
obj..         z =e= c*x('1') + sum(s, p(s)*h/2*sqr(y(s)));

Model quadraticEF / all /;
Solve quadraticEF using nlp minimizing z;
display x.l, z.l;
