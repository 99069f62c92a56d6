-- expect: lumora run: .*runtime_error.lua:5: boom
-- A failing script names its file and line and exits non-zero.
local form = lumora.Form{}
form:show()
error("boom")
