-- expect: wait_closed_without_window.lua:5: A script waits for input with none pending or scheduled
-- Without a window nothing could ever close the form: waiting for that is an error, not a hang.
local form = lumora.Form{}
form:show()
form:wait_closed()
