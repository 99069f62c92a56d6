-- Writes the example form files in examples/forms/ (or OUT_DIR): small forms
-- that `lumora render` draws and that start the form-file fuzzer's corpus.
--
--   build/src/host/lumora run examples/make_example_forms.lua [OUT_DIR]
local out = lumora.mkdir(arg[1] or ((arg[0]:match("^(.*)/[^/]*$") or ".") .. "/forms"))

-- A tiny picture of our own, drawn by rendering a form: four coloured boxes.
local paint = lumora.Form{width = 32 * 15, height = 24 * 15, name = "frmPaint"}
local colours = {0x3050D0, 0x40B060, 0xD08030, 0x8040A0} -- 0xBBGGRR
for i, colour in ipairs(colours) do
  local box = paint:add("PictureBox", "box" .. i, {Left = ((i - 1) % 2) * 240, Top = ((i - 1) // 2) * 180,
                                                   Width = 240, Height = 180})
  box.BorderStyle = 0
  box.BackColor = colour
end
paint:show()
local tiny_path = out .. "/tiny.png"
paint:render(tiny_path)
paint:unload()
local tiny = lumora.LoadPicture(tiny_path)
os.remove(tiny_path)

-- viewer.json: a picture viewer with a caption and two buttons.
local viewer = lumora.Form{width = 4800, height = 3600, name = "frmViewer", caption = "Viewer"}
local z = viewer:add("ZelPicZoom", "zView", {Left = 120, Top = 120, Width = 4560, Height = 2700})
z.Picture = tiny
z.BarsWidth = 15
z:ZoomIn()
viewer:add("Label", "lblCaption", {Left = 120, Top = 2940, Width = 2400, Height = 300}).Caption = "Four boxes"
local ok = viewer:add("CommandButton", "cmdOK", {Left = 3480, Top = 2940, Width = 1200, Height = 450})
ok.Caption = "OK"
viewer:save(out .. "/viewer.json")

-- controls.json: one of each ordinary control, with a menu.
local controls = lumora.Form{width = 4800, height = 3000, name = "frmControls", caption = "Controls"}
controls:add("TextBox", "txtName", {Left = 120, Top = 120, Width = 2400, Height = 360}).Text = "Text"
controls:add("CheckBox", "chkOn", {Left = 120, Top = 600, Width = 2400, Height = 300}).Caption = "Checked"
controls.chkOn.Value = 1
local h = controls:add("HScrollBar", "hsbLevel", {Left = 120, Top = 1080, Width = 2400, Height = 255})
h.Max = 10
h.Value = 4
local frame = controls:add("PictureBox", "picFrame", {Left = 2760, Top = 120, Width = 1920, Height = 1500})
-- A picture box measures in pixels: the image sits 8 pixels in.
controls:add("Image", "imgTiny", {Left = 8, Top = 8, Width = 32, Height = 24, Container = frame}).Picture = tiny
controls:add("Menu", "mnuFile").Caption = "&File"
controls:save(out .. "/controls.json")

print("wrote viewer.json and controls.json to " .. out)
