* Division by zero in an assignment: execution error, exit status 3.
Set i / a, b /;
Parameter p(i) / a 1 /, q(i);
q(i) = 1/p(i);
display q;
