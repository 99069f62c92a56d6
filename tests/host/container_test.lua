-- ZelScrollContainer from a script: every member of _ZelScrollContainer by
-- name, its events, a held scroll button and a thumb drag driven with
-- scheduled input, a property bag, and a form-file round trip with the
-- controls it contains.
local check = require("check")

local TW = 15
local form = lumora.Form{width = 640 * TW, height = 480 * TW}
-- 300 x 300 pixels at (20, 20), holding 30 labels of 30 pixels each.
local c = form:add("ZelScrollContainer", "lst", {Left = 20 * TW, Top = 20 * TW, Width = 300 * TW, Height = 300 * TW})
local labels = {}
for i = 1, 30 do
  labels[i] = form:add("Label", "l" .. i, {Left = 10 * TW, Top = (i - 1) * 30 * TW + 60, Width = 200 * TW,
                                           Height = 20 * TW, Container = c})
  labels[i].Caption = "Row " .. i
end
form:show()

-- Every member of the interface is reachable by name.
check.members_reachable(c, "ZelScrollContainer", 21)

-- Properties.
check.eq(c.UpperMargin, 60, "a new container's upper margin")
check.eq(c.LowerMargin, 60, "and lower margin")
c.UpperMargin = 90
check.eq(c.UpperMargin, 90, "UpperMargin")
c.LowerMargin = 120
check.eq(c.LowerMargin, 120, "LowerMargin")
c.BackColor = 0x00FFFF
check.eq(c.BackColor, 0x00FFFF, "BackColor")
c.Appearance = 0
check.eq(c.Appearance, 0, "Appearance")
c.Appearance = 5
check.eq(c.Appearance, 0, "an Appearance outside 0..1 is dropped")
c.BorderStyle = 1
check.eq(c.BorderStyle, 1, "BorderStyle")
c.BorderStyle = 0
c.BackStyle = 0
check.eq(c.BackStyle, 0, "BackStyle")
c.BackStyle = 1
c.Enabled = false
check.eq(c.Enabled, false, "Enabled")
c.Enabled = true
check.eq(c.ContainerHwnd, form.hWnd, "ContainerHwnd is the form's window")
check.truthy(c.hWnd ~= 0 and c.hWnd ~= form.hWnd, "a window of its own")
check.fails(function() c.hWnd = 5 end, "lst.hWnd: 'hWnd' property is read-only (error 383)")
check.fails(function() c.UpperMargin = "top" end, "lst.UpperMargin: Type mismatch")
check.fails(function() c:ScrollToControl() end, "lst.ScrollToControl: Wrong number of arguments")

-- Methods: PaintPicture draws on the container's own surface.
local pic = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
local result = c:PaintPicture(pic, 0, 0, 40 * TW, 40 * TW)
check.eq(result, nil, "PaintPicture returns nothing")
check.eq(lumora.err().Number, 0, "and fails in nothing")
local png = check.out .. "/painted.png"
form:render(png)
check.truthy(lumora.pixel(lumora.LoadPicture(png), 22, 22) ~= 0x00FFFF, "the picture covers the back colour")

local menu = form:add("Menu", "mnuPlaces")
c:PopupMenu(menu, 0, 100, 200)
local menus = form:menus()
check.eq(#menus, 1, "PopupMenu showed one menu")
check.eq(menus[1].menu, "mnuPlaces", "the menu given")
check.eq(menus[1].control, "lst", "for the container")

-- Events of its surface, in the order the host delivers them.
local bx, by, bw, bh = form:bounds("lst")
form:clear_events()
local seen
form:on(c, "MouseDown", function(args) seen = args end)
form:click(bx + 250, by + 150)
check.eq(check.names(form:events(), function(e) return e.path == "lst" end),
         "lst.MouseDown lst.MouseUp lst.Click", "a click on the surface")
check.eq(seen.Button, 1, "Button")
check.truthy(seen.X > 0 and seen.Y > 0, "X and Y in the container's twips")
form:clear_events()
form:dbl_click(bx + 250, by + 150)
check.truthy(check.names(form:events()):find("lst.DblClick", 1, true), "a double click")

-- The held down button scrolls one twip per pass until its release.
local top = labels[1].Top
form:after(300, function() form:mouse_up_on("lst.sD") end)
form:mouse_down_on("lst.sD")
local moved = top - labels[1].Top
check.truthy(moved >= 290 and moved <= 310, "about 300 passes of one twip: " .. moved)
check.eq(labels[30].Top - labels[1].Top, 29 * 30 * TW, "every contained control moved alike")
form:after(100, function() form:mouse_up_on("lst.sU") end)
form:mouse_down_on("lst.sU")
check.truthy(labels[1].Top > top - moved, "the up button scrolls back")

-- A drag of the thumb moves the contents by the distance in track units.
local tx, ty, tw = form:bounds("lst.picBar")
top = labels[1].Top
form:mouse_down(tx + tw // 2, ty + 5)
form:mouse_move(tx + tw // 2, ty + 25)
form:mouse_up(tx + tw // 2, ty + 25)
check.truthy(labels[1].Top < top, "dragging the thumb down scrolls the contents up")

-- ScrollToControl takes the control by reference and leaves the list consistent.
local _, same = c:ScrollToControl(labels[30])
check.truthy(same == labels[30], "the argument comes back")
c:Refresh()
check.eq(lumora.err().Number, 0, "Refresh and ScrollToControl fail in nothing")

-- lumora.Nothing passes Nothing where nil would leave the argument out.
local top = labels[30].Top
c:ScrollToControl(lumora.Nothing)
check.eq(labels[30].Top, top, "ScrollToControl(Nothing) moves nothing")
c:PaintPicture(lumora.Nothing, 0, 0)
check.eq(lumora.err().Number, 91, "PaintPicture(Nothing): the host's call fails and is dropped")

-- A property bag given to form:add is read by ReadProperties.
local c2 = form:add("ZelScrollContainer", "lst2", {Left = 340 * TW, Top = 20 * TW, Width = 200 * TW, Height = 200 * TW},
                    {UpperMargin = 200, LowerMargin = 10, BorderStyle = 1})
check.eq(c2.UpperMargin, 200, "UpperMargin from the bag")
check.eq(c2.LowerMargin, 10, "LowerMargin from the bag")
check.eq(c2.BorderStyle, 1, "BorderStyle from the bag")
check.eq(c2.Appearance, 1, "keys left out read their defaults")

-- The About box.
form:after(1, function() lumora.form("frmAbout"):click_on("OKButton") end)
c:AboutBox()
check.eq(lumora.form("frmAbout"), nil, "the About box came and went")

-- A form file keeps the container, its properties and what it contains.
form:remove("mnuPlaces")
local first, second = check.out .. "/list1.json", check.out .. "/list2.json"
form:save(first)
form:unload()
local loaded = lumora.load_form(first)
check.eq(loaded.lst.UpperMargin, 90, "the container's margin")
check.eq(loaded.lst2.BorderStyle, 1, "the second container's border")
check.eq(loaded.l7.Caption, "Row 7", "a contained label")
check.eq(loaded.l7.Top - loaded.l1.Top, 6 * 30 * TW, "in its place")
loaded:save(second)
local function read(path)
  local f = assert(io.open(path, "rb"))
  local text = f:read("a")
  f:close()
  return text
end
check.eq(read(second), read(first), "load then save gives the same file")
