-- expect: bad_argument.lua:4: form:click: argument 2 .y. must be an integer, got string
-- A wrong argument to a host function names the function and the argument.
local form = lumora.Form{}
form:click(10, "ten")
