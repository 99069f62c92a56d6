-- expect: handler_error.lua:7: attempt to perform arithmetic on a nil value
-- An error inside an event handler ends the script at the handler's line.
local form = lumora.Form{}
local b = form:add("CommandButton", "b1", {Width = 1500, Height = 600})
form:show()
form:on(b, "Click", function(args)
  local n = args.Missing + 1
end)
form:click_on("b1")
print("not reached")
