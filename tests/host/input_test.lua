-- Input in form pixels: pointer and keys dispatched at once, clicks whose
-- release waits in the queue for a yielding press handler, input aimed at a
-- control's centre, and the pointer's screen position.
local check = require("check")

local form = lumora.Form{width = 9000, height = 6000}
local b = form:add("CommandButton", "b1", {Left = 300, Top = 300, Width = 1500, Height = 600})
local hidden = form:add("CommandButton", "b2", {Left = 300, Top = 1200, Width = 1500, Height = 600, Visible = false})
local z = form:add("ZelPicZoom", "z1", {Left = 3000, Top = 150, Width = 4500, Height = 3000})
form:show()
z.Picture = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
local hbar = form:find("z1.HScroll")

-- A click is press, release, Click; aimed at the centre of the button.
form:clear_events()
form:click_on("b1")
local only_b1 = function(e) return e.path == "b1" and e.name ~= "GotFocus" end
check.eq(check.names(form:events(), only_b1), "b1.MouseDown b1.MouseUp b1.Click", "click order")
local down = form:events()[2]
check.eq(down.args.X, 750, "X of the centre, in twips from the button's left")
check.eq(down.args.Y, 300, "Y of the centre")

-- A double click: press, release, Click, DblClick, release.
form:clear_events()
form:dbl_click_on(b)
check.eq(check.names(form:events()), "b1.MouseDown b1.MouseUp b1.Click b1.DblClick b1.MouseUp", "double click")

-- The release of a click waits in the queue: a press handler that yields
-- receives it (and the Click) at its first yield.
local during
form:clear_events()
form:on(b, "MouseDown", function()
  form:do_events()
  during = check.names(form:events())
end)
form:click(40, 40)
check.eq(during, "b1.MouseDown b1.MouseUp b1.Click", "the release arrived inside the press handler")
check.eq(check.names(form:events()), "b1.MouseDown b1.MouseUp b1.Click", "and only once")
-- A press alone leaves nothing for the yield.
form:clear_events()
form:mouse_down(40, 40)
check.eq(during, "b1.MouseDown", "no release without one")
form:mouse_up(40, 40)

-- Input aimed at a hidden control is refused.
check.fails(function() form:click_on("b2") end, "form:click_on: b2 is not visible on Form1")
check.fails(function() form:click_on(hidden) end, "b2 is not visible")
check.fails(function() form:mouse_down_on("z1.nothing") end, 'no control "z1.nothing"')
check.fails(function() form:click(1e9, 0) end, "form:click: argument 1 (x) must lie between")
check.fails(function() form:mouse_down(1, 2, 9) end, "button must lie between -1 and 7")

-- Pointer input moves the screen position by the same amounts; a script may
-- set it, and a drag follows the screen position.
form:mouse_move(10, 10)
form:set_cursor_pos(500, 400)
local x, y = lumora.cursor_pos()
check.eq(x, 500, "set_cursor_pos x")
check.eq(y, 400, "set_cursor_pos y")
form:mouse_move(15, 17)
x, y = lumora.cursor_pos()
check.eq(x, 505, "moved by 5")
check.eq(y, 407, "moved by 7")
local start = hbar.Value
form:mouse_down_on("z1")
local cx = lumora.cursor_pos()
form:set_cursor_pos(cx - 30, 0) -- the pointer jumps left on the screen
form:mouse_move_on("z1")         -- a move to the same client point reads it
form:mouse_up_on("z1")
check.eq(hbar.Value, start + 30, "the drag followed the screen position")

-- Keys go to the focused control; the arrow-key loop yields until the
-- key-up that form:after delivers.
z:SetFocus()
form:clear_events()
start = hbar.Value
form:after(4, function() form:key_up(lumora.keys.Right) end)
form:key_down(lumora.keys.Right)
local names = check.names(form:events())
check.truthy(names:find("^z1.KeyDown z1.PictureScrolled"), "the loop scrolled: " .. names)
check.truthy(names:find("z1.KeyUp", 1, true), "the key-up ended it")
check.truthy(hbar.Value > start, "the picture moved right")
form:clear_events()
form:key_press(65)
check.eq(check.names(form:events()), "z1.KeyPress", "key_press")
check.eq(form:events()[1].args.KeyAscii, 65, "KeyAscii")
