"""What the end-to-end tests share: the model template the GAMS stand-in
(gamsdouble) solves in closed form, and a look at the running processes."""
import os

TEMPLATE = """\
* Scenario @400 : min c x + h/2 (x - xi)^2 with the hedging terms; recourse y = xi - x.
* testdouble: c=@0  h=@1  xi=@2  w=@100  rho=@300  avg=@200  mode=@3 
Set i /1/, j /1/;
Variables x(i), y(j), z;
Equations obj, recourse(j);
obj.. z =e= @0 *x('1') + 0.5*@1 *sqr(x('1') - (@2 )) + (@100 )*x('1') + 0.5*@300 *sqr(x('1') - (@200 ));
recourse(j).. y(j) =e= @2 - x('1');
Model m /all/;
Solve m using nlp minimizing z;
"""


def processes_mentioning(text):
    """(pid, command line) of every process whose command line holds text."""
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit() or int(pid) == os.getpid():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                command = f.read().replace(b"\0", b" ").decode(errors="replace")
        except OSError:
            continue
        if text in command:
            found.append((int(pid), command))
    return found
