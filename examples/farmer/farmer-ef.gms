$title Farmer problem (Birge and Louveaux): extensive form of the three yield scenarios
* Plain model, no substitution codes: solve it directly with gams to get the
* optimum that the progressive hedging run should approach.

Set i 'crops: 1 wheat, 2 corn, 3 sugar beets' / 1*3 /
    s 'yield scenarios' / above, average, below /;

Table yield(s,i) 'T per acre'
              1     2     3
    above     3.0   3.6   24
    average   2.5   3.0   20
    below     2.0   2.4   16 ;

Parameter cost(i) 'planting cost per acre' / 1 150, 2 230, 3 260 /
          p(s)    'probability';
p(s) = 1/card(s);

Positive Variables x(i)        'acres planted'
                   buyW(s), buyC(s), sellW(s), sellC(s), sellB(s), sellX(s);
Variable z 'expected cost';
sellB.up(s) = 6000;

Equations land, needWheat(s), needCorn(s), beets(s), obj;
land..         sum(i, x(i)) =l= 500;
needWheat(s).. yield(s,'1')*x('1') + buyW(s) - sellW(s) =g= 200;
needCorn(s)..  yield(s,'2')*x('2') + buyC(s) - sellC(s) =g= 240;
beets(s)..     sellB(s) + sellX(s) =l= yield(s,'3')*x('3');
obj..          z =e= sum(i, cost(i)*x(i))
                     + sum(s, p(s)*(238*buyW(s) + 210*buyC(s) - 170*sellW(s)
                                    - 150*sellC(s) - 36*sellB(s) - 10*sellX(s)));

Model farmerEF / all /;
Solve farmerEF using lp minimizing z;
display x.l, z.l;
