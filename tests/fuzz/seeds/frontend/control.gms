$title control statements, put and dollar control
$set n 4
$eval m %n% * 2
$if not set n $abort no n
Set i / 1*%n% /, j(i) / 1, 3 /;
Alias (i, k);
Parameter p(i), q(i,k);
Scalar s / 0 /, t;
loop(i$(ord(i) > 1), p(i) = ord(i) * %m%; s = s + p(i));
if (s > 10, t = 1; elseif s > 5, t = 2; else t = 3);
while (t < 5, t = t + 1);
q(i,k)$(not sameas(i,k) and j(i)) = min(p(i), p(k)) + 1 and 1 or 0 xor 1;
File f / 'fuzz-control.txt' /;
f.nr = 2; f.nw = 0; f.nd = 15; f.nz = 0;
put f 'sum ' s /;
loop(i, put i.tl:4 p(i):10:3 /);
putclose f;
Binary Variable b(i);
Positive Variable x(i);
Variable z;
Equation e, c(i);
c(i).. x(i) =l= 10 * b(i);
e.. z =e= sum(i, p(i) * x(i)) - sum(i, b(i));
Model m / all /;
option optcr = 0.1, reslim = 1;
x.up(i) = 3; b.fx('1') = 1;
Solve m using rmip maximizing z;
display z.l, x.l, q;
