* A scenario model as the hedging template produces it: linear costs, the
* hedging weights w(i) and the proximal term around xbar(i).
* x(i) = max(0, xbar(i) - (c(i) + w(i))/rho), y(j) = dem(j): z = 13.625.
sets i /1*3/, j /1*2/;
parameters c(i) / 1 1, 2 2, 3 3 /
           w(i) / 1 0.5, 2 -1, 3 0 /
           xbar(i) / 1 3.5, 2 3.5, 3 1 /
           d(j) / 1 2, 2 1 /
           dem(j) / 1 1, 2 4 /;
scalar rho / 1 /;
positive variables x(i), y(j);
free variable z;
equations cost, demand(j);
cost.. z =e= sum(i, c(i)*x(i)) + sum(j, d(j)*y(j)) + sum(i, w(i)*x(i))
             + rho/2*sum(i, sqr(x(i) - xbar(i)));
demand(j).. y(j) =g= dem(j);
model m /all/;
solve m using qcp minimizing z;
option decimals = 8;
display x.l, y.l, z.l;
