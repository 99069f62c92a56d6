-- Forms and placing controls: every class by name, placement inside
-- containers, resizing, removal, unloading, and the errors of each.
local check = require("check")

check.fails(function() lumora.Form{width = "wide"} end, "lumora.Form: width must be a number, got string")
check.fails(function() lumora.Form{colour = 1} end, 'lumora.Form: unknown key "colour"')

local form = lumora.Form{width = 9000, height = 6000, name = "frmTest", caption = "Testing"}
check.eq(form.Name, "frmTest", "name")
check.eq(form.Caption, "Testing", "caption")
check.eq(form.width, 9000, "width in twips")
check.eq(form.ScaleHeight, 6000, "height in twips")
check.truthy(lumora.form("frmTest") == form, "lumora.form finds it by name")
check.eq(lumora.form("frmNothing"), nil, "no such form")
check.fails(function() lumora.Form{name = "frmTest"} end, 'a form named "frmTest" is already open')
form.Caption = "Renamed"
check.eq(form.Caption, "Renamed", "late-bound form properties")

-- Every class the host knows can be placed, and is reached by name.
local classes = {"ZelPicZoom", "ZelScrollContainer", "CommandButton", "Label", "TextBox", "CheckBox", "PictureBox",
                 "Image", "HScrollBar", "VScrollBar"}
for i, class in ipairs(classes) do
  local c = form:add(class, "c" .. i, {Left = 100 * i, Top = 100, Width = 900, Height = 600})
  check.eq(c.Name, "c" .. i, class .. " placed")
  check.truthy(form:find("c" .. i) == c, class .. " found")
  check.truthy(form["c" .. i] == c, class .. " as a form member")
end
check.fails(function() form:add("Gizmo", "g1") end, 'form:add: unknown class "Gizmo" (known: ZelPicZoom')
check.fails(function() form:add("Label", "c1") end, 'form:add c1: A control named "c1" is already on the form (error 5)')
check.fails(function() form:add("Label", "l9", {Colour = 1}) end, 'form:add: unknown placement key "Colour"')
check.fails(function() form:add("Label", "l9", {Width = "x"}) end, "form:add: placement Width must be a number")
check.fails(function() form:add(5) end, "form:add: argument 1 (class) must be a string, got number")
check.fails(function() form:add("Label", "l9", {Container = "c3"}) end, "c3 cannot contain controls")
check.fails(function() form:add("Label", "l9", {Container = "nothing"}) end, 'form:add: no control "nothing"')
check.eq(form:find("l9"), nil, "nothing was left half-placed")
check.fails(function() form.add("Label", "l9") end, "form:add: expected a form, got string (call form methods with ':')")

-- A property bag given to form:add goes to ReadProperties instead of
-- InitProperties: keys left out read their defaults (Enabled's is False).
local zb = form:add("ZelPicZoom", "zBag", {Left = 0, Top = 0, Width = 3000, Height = 3000},
                    {BarsWidth = 24, ScrollBars = lumora.sbNone, Enabled = true})
check.eq(zb.BarsWidth, 24, "BarsWidth from the bag")
check.eq(zb.ScrollBars, lumora.sbNone, "ScrollBars from the bag")
check.eq(zb.Enabled, true, "Enabled from the bag")
check.eq(form:add("ZelPicZoom", "zBag2", {}, {BarsWidth = 30}).Enabled, false, "an absent Enabled reads False")
check.fails(function() form:add("Label", "lBag", {}, {Caption = "x"}) end, "form:add lBag: a Label reads no property bag")
check.fails(function() form:add("ZelPicZoom", "zBag3", {}, {[1] = 5}) end, "form:add: property bag keys are property names")
check.fails(function() form:add("ZelPicZoom", "zBag3", {}, {BarsWidth = {}}) end, "property bag key BarsWidth: a table cannot be passed")
check.fails(function() form:add("ZelPicZoom", "zBag3", {}, {Icon = form}) end, "cannot store")
check.eq(form:find("zBag3"), nil, "nothing placed")
form:remove("zBag")
form:remove("zBag2")

-- A picture box holds controls in its own scale.
local box = form:add("PictureBox", "box", {Left = 3000, Top = 3000, Width = 3000, Height = 2000})
local inner = form:add("Label", "inner", {Left = 150, Top = 150, Width = 900, Height = 300, Container = box})
check.eq(inner.Left, 150, "placed in the box's scale")
check.eq(inner.Visible, true, "visible")
local off = form:add("Label", "off", {Visible = false, TabIndex = 3})
check.eq(off.Visible, false, "Visible from the placement")
check.eq(off.TabIndex, 3, "TabIndex from the placement")

-- Resizing runs the control's layout.
local z = form:add("ZelPicZoom", "z1", {Left = 0, Top = 2000, Width = 3000, Height = 1500})
form:show()
z.Picture = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
local hbar = form:find("z1.HScroll")
local before = hbar.Width
form:resize("z1", 6000, 3000)
check.eq(z.Width, 6000, "resized")
check.eq(hbar.Width, before + 200, "the bar follows the control (200 pixels wider)")
check.fails(function() form:resize("z1", -5, 10) end, "form:resize z1: Invalid property value (error 380)")

-- Removing a control takes it and what it contains off the form.
form:remove("box")
check.eq(form:find("box"), nil, "removed")
check.eq(form:find("inner"), nil, "with what it contained")
check.fails(function() form:remove("box") end, 'form:remove: no control "box"')
check.fails(function() form:remove(inner) end, "form:remove: inner is not on frmTest")

-- An unloaded form refuses further work.
form:unload()
check.eq(lumora.form("frmTest"), nil, "unloaded forms are not open")
check.fails(function() form:add("Label", "x") end, "form:add: the form frmTest was unloaded")

-- Rendering writes a PNG of the client area.
local f2 = lumora.Form{width = 4500, height = 3000}
f2:add("CommandButton", "b", {Left = 300, Top = 300, Width = 1500, Height = 600}).Caption = "OK"
local red = f2:add("PictureBox", "red", {Left = 3000, Top = 1500, Width = 900, Height = 900})
red.BorderStyle = 0
red.BackColor = 0x0000FF -- colours are 0xBBGGRR
f2:show()
local png = check.out .. "/render.png"
os.remove(png)
f2:render(png)
local shot = lumora.LoadPicture(png)
check.eq(shot.Width, math.floor(300 * 2540 / 96 + 0.5), "300 pixels wide")
check.eq(shot.Height, math.floor(200 * 2540 / 96 + 0.5), "200 pixels high")
check.eq(lumora.pixel(shot, 200 + 30, 100 + 30), 0xFF0000, "the red box, as rendered")
check.truthy(lumora.pixel(shot, 5, 5) ~= 0xFF0000, "and not the form around it")
check.fails(function() lumora.pixel(shot, 300, 0) end, "lumora.pixel: argument 2 (x) must lie between 0 and 299")
check.fails(function() lumora.pixel(f2, 0, 0) end, "lumora.pixel: argument 1 must be a picture, got form")
check.fails(function() f2:render(check.out .. "/no/such/folder/x.png") end, "form:render")
