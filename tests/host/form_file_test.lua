-- Form files: a round trip gives the same file again; every kind of bad file
-- fails with a message naming the file and the place, and builds nothing.
local check = require("check")

local function write(name, text)
  local path = check.out .. "/" .. name
  local f = assert(io.open(path, "wb"))
  f:write(text)
  f:close()
  return path
end

local function read(path)
  local f = assert(io.open(path, "rb"))
  local text = f:read("a")
  f:close()
  return text
end

local function open_forms()
  local n = 0
  for _, name in ipairs{"frmRound", "frmBad", "frmCopy", "frmMany"} do
    if lumora.form(name) then n = n + 1 end
  end
  return n
end

-- A form with one control of every class, each with properties set.
local form = lumora.Form{width = 9000, height = 7500, name = "frmRound", caption = "Round trip"}
local z = form:add("ZelPicZoom", "z1", {Left = 150, Top = 150, Width = 4500, Height = 3000})
z.Picture = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
z.BarsWidth = 17
form:add("Label", "lblTitle", {Left = 4800, Top = 150, Width = 3000, Height = 300}).Caption = "Title"
local b = form:add("CommandButton", "cmdGo", {Left = 4800, Top = 600, Width = 1500, Height = 450})
b.Caption = "Go"
b.Enabled = false
form:add("TextBox", "txtName", {Left = 4800, Top = 1200, Width = 3000, Height = 400}).Text = "Ada"
form:add("CheckBox", "chkOn", {Left = 4800, Top = 1800, Width = 2000, Height = 300}).Value = 1
local box = form:add("PictureBox", "picBox", {Left = 150, Top = 3300, Width = 4500, Height = 3000})
box.BackColor = 0x203040
form:add("Label", "lblInside", {Left = 300, Top = 300, Width = 2000, Height = 300, Container = box}).Caption = "Inside"
form:add("Image", "imgLogo", {Left = 4800, Top = 2400, Width = 1500, Height = 1000, Visible = false}).Stretch = true
local h = form:add("HScrollBar", "hsb", {Left = 4800, Top = 3600, Width = 3000, Height = 255})
h.Max = 500
h.Value = 123
local v = form:add("VScrollBar", "vsb", {Left = 8000, Top = 150, Width = 255, Height = 3000})
v.Min = -10
v.LargeChange = 5
form:add("Menu", "mnuFile").Caption = "&File"

-- Save, load, save: the same file both times.
local first = check.out .. "/first.json"
local second = check.out .. "/second.json"
form:save(first)
check.eq(#form:changed(), 0, "saving clears the changed properties")
form:unload()
local loaded = lumora.load_form(first)
check.eq(loaded.Name, "frmRound", "the form's name")
check.eq(loaded.Caption, "Round trip", "the caption")
check.eq(loaded.width, 9000, "the width")
check.eq(loaded.z1.BarsWidth, 17, "ZelPicZoom's bag: BarsWidth")
check.eq(loaded.z1.Picture.Width, 52917, "and its picture, through base64")
check.eq(loaded.z1.Enabled, true, "and Enabled")
check.eq(loaded.lblTitle.Caption, "Title", "a label's caption")
check.eq(loaded.cmdGo.Enabled, false, "a button's Enabled")
check.eq(loaded.txtName.Text, "Ada", "a text box's text")
check.eq(loaded.chkOn.Value, 1, "a check box's value")
check.eq(loaded.hsb.Value, 123, "a scroll bar's value")
check.eq(loaded.vsb.Min, -10, "and its range")
check.eq(loaded.imgLogo.Visible, false, "extender Visible")
check.eq(loaded:find("lblInside").Left, 300, "a contained control in its container's scale")
check.eq(loaded.mnuFile.Caption, "&File", "a menu")
loaded:save(second)
check.eq(read(second), read(first), "load then save gives the same file")
-- A load under another name, for a second copy.
local copy = lumora.load_form(first, "frmCopy")
check.eq(copy.Name, "frmCopy", "renamed")
check.fails(function() lumora.load_form(first) end, 'first.json: a form named "frmRound" is already open')
copy:unload()

-- A failed save leaves the earlier file and the changed list as they were.
loaded.hsb.Value = 7
check.fails(function() loaded:save(check.out .. "/no/such/folder/f.json") end, "form:save")
check.eq(read(second), read(first), "the earlier file is untouched")
loaded:unload()

-- Bad files: each message names the file and the place; nothing is built.
local good_control = [["class": "Label", "name": "l1", "extender": {"Left": 0, "Top": 0, "Width": 900, "Height": 300}]]
local function doc(controls)
  return '{"format": "lumora form", "version": 1, "name": "frmBad", "width": 3000, "height": 3000, "controls": [' .. controls .. ']}'
end
local png_header = "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAA" -- a PNG cut short
local cases = {
  {"syntax", '{"format": "lumora form",\n  "version": 1,\n  "name": }', "syntax.json: line 3, column 11: not valid JSON"},
  {"empty", "", "empty.json: line 1, column 1: not valid JSON"},
  {"overflow", '{"format": "lumora form", "version": 1, "width": 1e400}', "overflow.json: not valid JSON: number overflow parsing '1e400'"},
  {"array", "[]", "array.json: the form: expected an object, got an array"},
  {"format", '{"format": "other", "version": 1}', 'format.json: format: expected "lumora form"'},
  {"version", '{"format": "lumora form", "version": 2}', "version.json: version: expected an integer from 1 to 1, got 2"},
  {"no_width", '{"format": "lumora form", "version": 1, "name": "frmBad", "height": 10, "controls": []}', 'no_width.json: the form: missing "width"'},
  {"width_type", '{"format": "lumora form", "version": 1, "name": "frmBad", "width": "9000", "height": 10, "controls": []}', 'width_type.json: width: expected an integer, got the string "9000"'},
  {"extra_field", '{"format": "lumora form", "version": 1, "name": "frmBad", "width": 9, "height": 9, "controls": [], "colour": 1}', 'extra_field.json: the form: unknown field "colour"'},
  {"controls_type", '{"format": "lumora form", "version": 1, "name": "frmBad", "width": 9, "height": 9, "controls": {}}', "controls_type.json: controls: expected an array, got an object"},
  {"class", doc('{"class": "Gizmo", "name": "g1"}'), 'class.json: controls[0].class: unknown class "Gizmo"'},
  {"no_name", doc('{"class": "Label"}'), 'no_name.json: controls[0]: missing "name"'},
  {"twice", doc("{" .. good_control .. "}, {" .. good_control .. "}"), 'twice.json: controls[1].name: "l1" is used twice'},
  {"container", doc('{"class": "Label", "name": "l1", "container": "box", "extender": {"Left": 0, "Top": 0, "Width": 9, "Height": 9}}'), 'container.json: controls[0] ("l1").container: no control "box" is placed before this one'},
  {"left_type", doc('{"class": "Label", "name": "l1", "extender": {"Left": "0", "Top": 0, "Width": 9, "Height": 9}}'), 'left_type.json: controls[0] ("l1").extender.Left: expected a number, got the string "0"'},
  {"negative", doc('{"class": "Label", "name": "l1", "extender": {"Left": 0, "Top": 0, "Width": -9, "Height": 9}}'), 'negative.json: controls[0] ("l1").extender.Width: expected a number from 0 to 10000000, got -9'},
  {"no_extender", doc('{"class": "Label", "name": "l1"}'), 'no_extender.json: controls[0] ("l1"): missing "extender"'},
  {"menu_extender", doc('{"class": "Menu", "name": "m1", "extender": {}}'), 'menu_extender.json: controls[0] ("m1").extender: Menu has no extender properties'},
  {"bag_type", doc("{" .. good_control .. ', "properties": {"Caption": {"type": "Integer", "value": "x"}}}'), 'bag_type.json: controls[0] ("l1").properties: key "Caption"'},
  {"prop_type", doc("{" .. good_control .. ', "properties": {"FontBold": {"type": "String", "value": "yes"}}}'), 'prop_type.json: controls[0] ("l1").properties: FontBold: Type mismatch'},
  {"prop_unknown", doc("{" .. good_control .. ', "properties": {"Colour": {"type": "Integer", "value": 1}}}'), 'prop_unknown.json: controls[0] ("l1").properties: Colour: Label stores no such property'},
  {"zel_type", doc('{"class": "ZelPicZoom", "name": "z1", "extender": {"Left": 0, "Top": 0, "Width": 900, "Height": 900}, "properties": {"BarsWidth": {"type": "String", "value": "wide"}}}'), 'zel_type.json: controls[0] ("z1").properties.BarsWidth: String "wide" is not a int16'},
  {"zel_unknown", doc('{"class": "ZelPicZoom", "name": "z1", "extender": {"Left": 0, "Top": 0, "Width": 900, "Height": 900}, "properties": {"Zoom": {"type": "Integer", "value": 1}}}'), 'zel_unknown.json: controls[0] ("z1").properties.Zoom: ZelPicZoom has no such property'},
  {"picture_data", doc('{"class": "ZelPicZoom", "name": "z1", "extender": {"Left": 0, "Top": 0, "Width": 900, "Height": 900}, "properties": {"Picture": {"type": "Picture", "format": "PNG", "data": "' .. png_header .. '"}}}'), 'picture_data.json: controls[0] ("z1").properties: key "Picture"'},
  {"base64", doc('{"class": "Image", "name": "i1", "extender": {"Left": 0, "Top": 0, "Width": 900, "Height": 900}, "properties": {"Picture": {"type": "Picture", "format": "PNG", "data": "@@@@"}}}'), 'base64.json: controls[0] ("i1").properties: key "Picture"'},
  -- Hostile text: the reason of a JSON fault is kept whole; control characters
  -- from the file are shown escaped; nesting is no danger.
  {"control_char", '{"format": "lumora\1form"}', "control_char.json: line 1, column 19: not valid JSON: syntax error while parsing value - invalid string: control character U+0001 (SOH) must be escaped"},
  {"bad_utf8", '{"format": "\255"}', "bad_utf8.json: line 1, column 13: not valid JSON: syntax error while parsing value - invalid string: ill-formed UTF-8 byte"},
  {"escape", doc('{"class": "\\u001b]2;pwned\\u0007", "name": "g1"}'), 'escape.json: controls[0].class: unknown class "\\x1b]2;pwned\\x07"'},
  {"key_twice", doc("{" .. good_control .. ', "name": "l2"}'), 'key_twice.json: key "name" given twice'},
  {"nested", doc(string.rep("[", 100000) .. string.rep("]", 100000)), "nested.json: controls[0]: expected an object, got an array"},
  -- Passes every check of the file, fails while building: the form goes again.
  {"not_a_container", doc("{" .. good_control .. '}, {"class": "Label", "name": "l2", "container": "l1", "extender": {"Left": 0, "Top": 0, "Width": 9, "Height": 9}}'), 'not_a_container.json: controls[1] ("l2"): l1 cannot contain controls (error 5)'},
}
for _, case in ipairs(cases) do
  local name, text, expected = case[1], case[2], case[3]
  local path = write(name .. ".json", text)
  check.fails(function() lumora.load_form(path) end, expected, name)
  check.eq(open_forms(), 0, name .. " left no form open")
end
check.fails(function() lumora.load_form(check.out .. "/missing.json") end, "missing.json: File not found (error 53)")
-- The good document itself loads.
local ok = lumora.load_form(write("good.json", doc("{" .. good_control .. "}")))
check.eq(ok.l1.Width, 900, "the good control")
ok:unload()

-- A form's pictures share a decoding budget: past it the load fails naming
-- the control and builds nothing.
local lake = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
local pixels = math.floor(lake.Width * 96 / 2540 + 0.5) * math.floor(lake.Height * 96 / 2540 + 0.5)
local many = lumora.Form{width = 3000, height = 3000, name = "frmMany"}
for i = 1, 3 do
  many:add("Image", "img" .. i, {Left = 0, Top = 0, Width = 900, Height = 900}).Picture = lake
end
local many_path = check.out .. "/pictures.json"
many:save(many_path)
many:unload()
local budget = lumora.decode_budget()
for _, case in ipairs{
  {{document = pixels * 5 // 2}, 'controls[2] ("img3").properties: key "Picture": JPEG: ', "a document"},
} do
  lumora.decode_budget(case[1])
  local message = check.fails(function() lumora.load_form(many_path) end, case[2])
  check.eq(message:find("pixels would pass the decoding budget of " .. case[3], 1, true) ~= nil, true, message)
  check.eq(open_forms(), 0, "a form past its budget is not built")
  lumora.decode_budget(budget)
end
check.eq(lumora.load_form(many_path).img3.Picture.Width, lake.Width, "within the budget it loads")
