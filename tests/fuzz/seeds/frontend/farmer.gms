$title Farmer problem of Birge and Louveaux, extensive form
* Three crops, three equally likely yield scenarios. Optimum: 170, 80 and 250
* acres, expected profit 108,390.
Sets
   c  crops      / wheat, corn, beets /
   s  scenarios  / above, average, below /;

Parameters
   plantcost(c)  planting cost per acre   / wheat 150, corn 230, beets 260 /
   sellprice(c)  selling price per T      / wheat 170, corn 150, beets 36 /
   buyprice(c)   purchase price per T     / wheat 238, corn 210 /
   minreq(c)     feeding requirement in T / wheat 200, corn 240 /
   prob(s)       scenario probability;
prob(s) = 1/card(s);

Table yield(s,c)  yield in T per acre
             wheat   corn   beets
   above      3.0     3.6     24
   average    2.5     3.0     20
   below      2.0     2.4     16 ;

Scalars quota  beet quota in T / 6000 /
        land   acres available / 500 /;

Positive Variables
   x(c)    acres planted
   w(s,c)  crops sold at the selling price
   y(s,c)  crops bought
   e(s)    beets sold above the quota;
Free Variable profit  expected profit;

Equations
   obj          expected profit
   landuse      land available
   req(s,c)     feeding requirement
   beetquota(s) beets sold at the quota price
   beetsale(s)  beets sold at all;

obj..  profit =e= -sum(c, plantcost(c)*x(c))
                  + sum(s, prob(s)*(sum(c, sellprice(c)*w(s,c) - buyprice(c)*y(s,c)) + 10*e(s)));
landuse..                    sum(c, x(c)) =l= land;
req(s,c)$(not sameas(c,'beets')).. yield(s,c)*x(c) + y(s,c) - w(s,c) =g= minreq(c);
beetquota(s)..               w(s,'beets') =l= quota;
beetsale(s)..                w(s,'beets') + e(s) =l= yield(s,'beets')*x('beets');
y.fx(s,'beets') = 0;

Model farmer / all /;
Solve farmer using lp maximizing profit;
option decimals = 8;
display x.l, profit.l;
