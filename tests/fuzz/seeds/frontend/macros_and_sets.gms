$set f sqr(t) + 1
$macro f(t) %f%
$macro twice(a,b) 2*a + f(b)
Set i / a, b, c /, s / s0*s4 /;
$eval n card(i) * 2
$ifE (card(i) > 2 and not card(s) >= 9) $set small 1
$ifE card(i)+1 == 4 $set four 1
Scalars x / 3 /, y, z;
y = f(x);
z = twice(x, (x-1)) - 1;
Parameter p(s), fs(s);
p(s) = s.off; fs(s) = -sqr(p(s) - 2);
SOS2 Variable l(i,s);
Variable w(i), obj;
Equation defw(i), one(i), o;
defw(i).. w(i) =e= sum(s, p(s)*l(i,s));
one(i).. sum(s, l(i,s)) =e= 1;
o.. obj =e= sum((i,s), fs(s)*l(i,s));
w.fx(i) = 1.5;
Model m / all /;
Solve m using mip minimizing obj;
File r / '%gams.scrdir%r.txt' /;
put r 'RMIP ' system.rmip /;
if(0, execute 'true');
