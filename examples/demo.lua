-- The Orvane Lumora demo, played by `lumora demo` (or `lumora run
-- examples/demo.lua OUT_DIR EXAMPLES_DIR`).
--
-- A form with a ZelPicZoom showing the bundled picture, a row of buttons that
-- zoom, fit, stretch and jump, a status line fed by the control's events, and
-- a ZelScrollContainer holding a column of places to visit (a label and a
-- button each). A scripted tour then drives it the way a user would, with
-- clicks, a drag, held keys and held buttons, and writes a numbered PNG frame
-- after each step, then a contact sheet of them all.

local out_dir = arg[1] or "out/demo"
local examples = arg[2] or "examples"
local windowed = arg[3] == "window" -- `lumora demo` shows the form in a window

local TW = 15 -- twips per pixel

-- The form: 1280 x 800 pixels.
local form = lumora.Form{width = 1280 * TW, height = 800 * TW, name = "frmDemo",
                         caption = "Orvane Lumora demo"}

local title = form:add("Label", "lblTitle", {Left = 16 * TW, Top = 10 * TW, Width = 600 * TW, Height = 24 * TW})
title.Caption = "Orvane Lumora: ZelPicZoom and ZelScrollContainer"
title.FontSize = 12
title.FontBold = true

local step_label = form:add("Label", "lblStep", {Left = 640 * TW, Top = 12 * TW, Width = 624 * TW, Height = 20 * TW})
step_label.Alignment = 1 -- right
step_label.FontSize = 10

-- The picture viewer.
local z = form:add("ZelPicZoom", "zPic", {Left = 16 * TW, Top = 44 * TW, Width = 840 * TW, Height = 600 * TW})
z.BarsWidth = 16

-- A row of buttons under it.
local buttons = {
  {"cmdZoomIn", "Zoom in", function() z:ZoomIn() end},
  {"cmdZoomOut", "Zoom out", function() z:ZoomOut() end},
  {"cmdReal", "100 %", function() z:ZoomReal() end},
  {"cmdFit", "Fit", function() z:FeedBest() end},
  {"cmdStretch", "Stretch", function() z:Stretch() end},
  {"cmdTopLeft", "Top left", function() z:Go(lumora.gdTopLeft) end},
  {"cmdTopRight", "Top right", function() z:Go(lumora.gdTopRight) end},
  {"cmdCentre", "Centre", function() z:Go(lumora.gdCenter) end},
  {"cmdBottomLeft", "Bottom left", function() z:Go(lumora.gdBottomLeft) end},
  {"cmdBottomRight", "Bottom right", function() z:Go(lumora.gdBottomRight) end},
}
for i, b in ipairs(buttons) do
  local button = form:add("CommandButton", b[1], {Left = (16 + (i - 1) * 84) * TW, Top = 654 * TW,
                                                  Width = 80 * TW, Height = 28 * TW})
  button.Caption = b[2]
  form:on(button, "Click", b[3])
end

-- The status line follows the picture through the control's events.
local status = form:add("Label", "lblStatus", {Left = 16 * TW, Top = 692 * TW, Width = 840 * TW, Height = 20 * TW})
local function edges()
  local p = z.PicturePosition
  local seen = {}
  for _, e in ipairs{{"ppTop", "top"}, {"ppBottom", "bottom"}, {"ppLeft", "left"}, {"ppRight", "right"}} do
    if p[e[1]] then seen[#seen + 1] = e[2] end
  end
  return #seen > 0 and table.concat(seen, ", ") or "none"
end
local function update_status()
  local size = z.PictureSize
  status.Caption = string.format("Zoom %d %%   shown at %d x %d pixels   edges in view: %s",
                                 z.ZoomPercent, size.psWidth, size.psHeight, edges())
end
form:on(z, "PictureSizeChanged", update_status)
form:on(z, "PictureScrolled", update_status)

-- The list of places: a ZelScrollContainer with a label and a button per row.
local list = form:add("ZelScrollContainer", "lstPlaces", {Left = 872 * TW, Top = 44 * TW,
                                                          Width = 392 * TW, Height = 600 * TW})
local places = {
  {"Moon and stars", lumora.gdTopLeft, 2},
  {"The night sky", lumora.gdTopLeft, 0},
  {"Clouds at dusk", lumora.gdTop, 0},
  {"Birds over the ridge", lumora.gdTopRight, 2},
  {"The evening sky", lumora.gdTopRight, 0},
  {"Snow on the peaks", lumora.gdTop, 1},
  {"The far ridge", lumora.gdLeft, 0},
  {"The tree line", lumora.gdLeft, 2},
  {"The middle of the lake", lumora.gdCenter, 0},
  {"Reflections", lumora.gdCenter, 2},
  {"The east shore", lumora.gdRight, 0},
  {"Sun glitter on the water", lumora.gdRight, 1},
  {"The cabin", lumora.gdBottomLeft, 2},
  {"Rocks by the path", lumora.gdBottomLeft, 0},
  {"The meadow", lumora.gdBottom, 0},
  {"Meadow flowers", lumora.gdBottomRight, 2},
  {"The flower field", lumora.gdBottomRight, 0},
  {"The south shore", lumora.gdBottom, 1},
  {"Back to the centre", lumora.gdCenter, 0},
  {"All of it", nil, 0},
}
local ROW = 40 -- pixels per row
for i, place in ipairs(places) do
  local top = (12 + (i - 1) * ROW) * TW
  local label = form:add("Label", string.format("lblPlace%02d", i),
                         {Left = 12 * TW, Top = top + 6 * TW, Width = 250 * TW, Height = 20 * TW, Container = list})
  label.Caption = string.format("%02d  %s", i, place[1])
  local button = form:add("CommandButton", string.format("cmdPlace%02d", i),
                          {Left = 268 * TW, Top = top, Width = 80 * TW, Height = 30 * TW, Container = list})
  button.Caption = "Show"
  form:on(button, "Click", function()
    if not place[2] then
      z:FeedBest()
      return
    end
    z:ZoomReal()
    for _ = 1, place[3] do z:ZoomIn() end
    z:Go(place[2])
  end)
end

local note = form:add("Label", "lblList", {Left = 872 * TW, Top = 654 * TW, Width = 392 * TW, Height = 40 * TW})
note.Caption = "Places to visit: drag the thumb or hold a button of the list's scroll bar."
note.WordWrap = true

form:show()
z.Picture = lumora.LoadPicture(examples .. "/pictures/lake_at_dusk.jpg")
update_status()

-- --- The tour ----------------------------------------------------------------

local folder = lumora.mkdir(out_dir)
local frames, captions = {}, {}
local function shot(name, caption, which)
  local path = string.format("%s/%02d_%s.png", folder, #frames + 1, name)
  ;(which or form):render(path)
  frames[#frames + 1] = path
  captions[#captions + 1] = string.format("%02d %s", #frames, caption)
  print(string.format("  frame %02d  %s", #frames, caption))
end
local function step(text)
  step_label.Caption = text
end

step("The lake at dusk, 2000 x 1500 pixels, shown at 100 %")
shot("start", "start: 100 %")

step("Zoom in twice: 125 %, then 150 %")
form:click_on("cmdZoomIn")
form:click_on("cmdZoomIn")
shot("zoom_in", "zoom in x2")

step("Zoom out four times")
for _ = 1, 4 do form:click_on("cmdZoomOut") end
shot("zoom_out", "zoom out x4")

step("Fit: the whole picture, in proportion")
form:click_on("cmdFit")
shot("fit", "fit")

step("Stretch: the picture fills the control")
form:click_on("cmdStretch")
shot("stretch", "stretch")

step("Back to 100 %, then jump to each corner")
form:click_on("cmdReal")
form:click_on("cmdTopLeft")
shot("top_left", "top left")
form:click_on("cmdTopRight")
shot("top_right", "top right")
form:click_on("cmdBottomRight")
shot("bottom_right", "bottom right")
form:click_on("cmdBottomLeft")
shot("bottom_left", "bottom left")

step("Drag the picture with the left button: grab and pull up and left")
form:click_on("cmdCentre")
local px, py = 436, 344 -- the middle of the viewer
form:mouse_down(px, py)
for i = 1, 12 do form:mouse_move(px - 20 * i, py - 12 * i) end
form:mouse_up(px - 240, py - 144)
shot("drag", "drag")

step("Hold the right arrow key: one pixel per pass until the key-up")
z:SetFocus()
form:after(120, function() form:key_up(lumora.keys.Right) end)
form:key_down(lumora.keys.Right)
shot("arrow_key", "held arrow key")

step("A place from the list: the cabin at 150 %")
form:click_on("cmdPlace13")
shot("place_cabin", "list: the cabin")

step("Drag the list's thumb down")
-- The thumb starts at the top of the track: press a little below its top.
local bx, by, bw = form:bounds("lstPlaces.picBar")
local tx, ty = bx + bw // 2, by + 40
form:mouse_down(tx, ty)
for i = 1, 8 do form:mouse_move(tx, ty + 10 * i) end
form:mouse_up(tx, ty + 80)
shot("thumb_drag", "list: thumb drag")

-- Holds a button down for a number of yields. Its loop ends at the release,
-- or earlier when nothing more lies beyond the edge: then the release still
-- has to come, as it would from a user letting go.
local function hold(path, yields)
  local released = false
  form:after(yields, function()
    released = true
    form:mouse_up_on(path)
  end)
  form:mouse_down_on(path)
  while not released do form:do_events() end
end

step("Hold the list's down button: it scrolls until released or at the end")
hold("lstPlaces.sD", 1500)
shot("held_down", "list: held down button")

step("Hold the up button for a moment")
hold("lstPlaces.sU", 600)
shot("held_up", "list: held up button")

step("ScrollToControl brings the last place into view; show it")
list:ScrollToControl(form:find("cmdPlace20"))
form:click_on("cmdPlace20")
shot("scroll_to_control", "list: ScrollToControl")

step("The About box both controls share")
form:after(1, function()
  shot("about", "About box", lumora.form("frmAbout"))
  lumora.form("frmAbout"):click_on("OKButton")
end)
z:AboutBox()

local sheet = folder .. "/contact_sheet.png"
lumora.contact_sheet(frames, sheet, {columns = 4, width = 320, captions = captions})
print(string.format("lumora demo: wrote %d frames and contact_sheet.png to %s", #frames, folder))

if windowed then
  step("Your turn: zoom, drag, hold keys and buttons. Close the window to end.")
  print("lumora demo: the form is yours; close its window to end")
  form:wait_closed()
end
