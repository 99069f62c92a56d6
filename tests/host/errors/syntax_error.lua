-- expect: syntax_error.lua:4: unexpected symbol
-- A script that does not compile names its file and line.
local form = lumora.Form{}
local x = = 1
