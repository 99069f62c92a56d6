-- Form files: build a form, save it as JSON (pictures travel inside it as
-- their original bytes), load it back and render it.
--
--   build/src/host/lumora run examples/save_and_render.lua [OUT_DIR]
-- The saved file can be rendered again with
--   build/src/host/lumora render OUT_DIR/viewer.json --png OUT_DIR/viewer.png
local out = lumora.mkdir(arg[1] or "out/forms")
local here = arg[0]:match("^(.*)/[^/]*$") or "."

local form = lumora.Form{width = 7200, height = 5400, name = "frmViewer", caption = "Viewer"}
local z = form:add("ZelPicZoom", "zView", {Left = 120, Top = 120, Width = 6960, Height = 4440})
z.Picture = lumora.LoadPicture(here .. "/pictures/lake_at_dusk.jpg")
z.BarsWidth = 16
local caption = form:add("Label", "lblCaption", {Left = 120, Top = 4680, Width = 5000, Height = 300})
caption.Caption = "The lake at dusk"
local close = form:add("CommandButton", "cmdClose", {Left = 5880, Top = 4680, Width = 1200, Height = 450})
close.Caption = "Close"

print("changed before saving: " .. table.concat(form:changed(), ", "))
form:save(out .. "/viewer.json")
form:unload()

local again = lumora.load_form(out .. "/viewer.json")
again:show()
print(string.format("loaded %s: %s, bars %d pixels wide", again.Name, again.lblCaption.Caption,
                    again.zView.BarsWidth))
again:render(out .. "/viewer.png")
print("wrote " .. out .. "/viewer.json and viewer.png")
