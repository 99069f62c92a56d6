-- Events: the log of everything the script's forms raised, in order; Lua
-- handlers with their arguments by reference; handlers on constituents;
-- errors inside handlers; form:after and form:do_events.
local check = require("check")

local lake = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
local form = lumora.Form{width = 9000, height = 6000}
local z = form:add("ZelPicZoom", "z1", {Left = 150, Top = 150, Width = 6000, Height = 4500})
form:show()
local hbar = form:find("z1.HScroll")

-- The log keeps every event in the order raised, with its arguments by name.
form:clear_events()
z.Picture = lake
local events = form:events()
check.eq(events[1].name, "PictureSizeChanged", "a new picture reports its size first")
check.truthy(events[1].control == z, "the logged control is the control's handle")
check.eq(events[1].path, "z1", "and its path")
check.truthy(#events >= 2 and events[2].name == "PictureScrolled", "then the scrolling")
form:clear_events()
check.eq(#form:events(), 0, "clear_events empties the log")

-- Handlers see the arguments by name and the control; what they leave flows
-- back to the raiser. A left-button drag on the picture scrolls it...
local seen = {}
form:on(z, "MouseDown", function(args, control)
  seen[#seen + 1] = {args.Button, args.Shift, args.X, args.Y, control == z}
end)
local start = hbar.Value
form:mouse_down(200, 150, lumora.buttons.Left, lumora.shift.Ctrl)
check.eq(#seen, 1, "one MouseDown")
check.eq(seen[1][1], 1, "Button")
check.eq(seen[1][2], 2, "Shift")
-- X and Y are the picture's pixels: the point's place in the control plus the scroll.
check.eq(seen[1][3], 190 + start, "X")
check.eq(seen[1][4], 140 + form:find("z1.VScroll").Value, "Y")
check.eq(seen[1][5], true, "the handler gets the control")
form:mouse_move(180, 150)
form:mouse_up(180, 150)
check.eq(hbar.Value, start + 20, "dragging left by 20 pixels scrolls right by 20")

-- ...but not when a MouseMove handler clears the button, by reference.
local moves = 0
form:on(z, "MouseMove", function(args)
  moves = moves + 1
  args.Button = 0
end)
start = hbar.Value
form:clear_events()
form:mouse_down(200, 150)
form:mouse_move(170, 150)
form:mouse_up(170, 150)
check.eq(moves, 1, "the handler ran")
check.eq(hbar.Value, start, "the control saw no button and did not drag")
for _, e in ipairs(form:events()) do
  if e.name == "MouseMove" then check.eq(e.args.Button, 0, "the log shows what the handler left") end
end

-- Handlers run in the order connected; later ones see earlier changes.
local order = {}
form:on(z, "MouseUp", function(args) order[#order + 1] = "a" .. args.Button; args.Button = 7 end)
form:on(z, "mouseup", function(args) order[#order + 1] = "b" .. args.Button end)
form:click(200, 150)
check.eq(table.concat(order, " "), "a1 b7", "handler order and by-reference changes")

-- Handlers on a constituent, found by path; the log then carries its events.
local changes = {}
form:on("z1.HScroll", "Change", function() changes[#changes + 1] = hbar.Value end)
form:clear_events()
z:Go(lumora.gdLeft)
check.eq(#changes, 1, "the bar's Change ran the handler")
check.eq(changes[1], hbar.Min, "while the bar held its new value")
check.truthy(check.names(form:events()):find("z1.HScroll.Change", 1, true), "logged")

-- Event names are checked against the class's event interface.
check.fails(function() form:on(z, "Bogus", print) end, 'z1 (ZelPicZoom) has no event "Bogus"')
check.fails(function() form:on(z, "Click", 5) end, "form:on: argument 3 (handler) must be a function")
check.fails(function() form:on("z9", "Click", print) end, 'form:on: no control "z9" on Form1')

-- An error inside a handler stops the input call with the handler's own
-- position, and no further handler runs until it is reported.
local later = 0
local other = lumora.Form{width = 3000, height = 3000}
local b = other:add("CommandButton", "b1", {Left = 0, Top = 0, Width = 1500, Height = 600})
other:show()
other:on(b, "MouseDown", function() error("broken handler") end)
other:on(b, "Click", function() later = later + 1 end)
check.fails(function() other:click_on("b1") end, "events_test.lua:%d+: broken handler", "handler error", true)
check.eq(later, 0, "the Click handler did not run after the failure")
other:on(b, "MouseDown", function() end)
local log = other:events()
check.eq(log[#log].name, "Click", "the events themselves were still raised and logged")

-- A handler leaving a value of the wrong type fails, naming the argument.
local f3 = lumora.Form{width = 3000, height = 3000}
local z3 = f3:add("ZelPicZoom", "z3", {Left = 0, Top = 0, Width = 3000, Height = 3000})
f3:show()
f3:on(z3, "KeyDown", function(args) args.KeyCode = "left" end)
z3:SetFocus()
check.fails(function() f3:key_down(37) end, "z3.KeyDown handler's args.KeyCode: Type mismatch (error 13)")

-- form:after runs a function inside the n-th yield from now.
local ran = {}
form:after(2, function() ran[#ran + 1] = "two" end)
form:after(1, function() ran[#ran + 1] = "one" end)
form:do_events()
check.eq(table.concat(ran, " "), "one", "after one yield")
form:do_events()
check.eq(table.concat(ran, " "), "one two", "after two yields")
form:after(1, function() error("late failure") end)
check.fails(function() form:do_events() end, "events_test.lua:%d+: late failure", "after error", true)
check.fails(function() form:after(-1, print) end, "form:after: argument 1 (yields) must lie between 0")
