-- What the window example shows, drawn headless: its form (a ZelPicZoom
-- filling WIDTH x HEIGHT pixels, on PICTURE) before and after the drag the
-- end-to-end test makes in the example's window.
--   lumora run example_frames.lua PICTURE OUT_DIR WIDTH HEIGHT
local picture, out = arg[1], arg[2]
local width, height = tonumber(arg[3]) * 15, tonumber(arg[4]) * 15
local form = lumora.Form{width = width, height = height}
local zoom = form:add("ZelPicZoom", "zoom", {Left = 0, Top = 0, Width = width, Height = height})
zoom.Picture = lumora.LoadPicture(picture)
form:show()
form:render(out .. "/start.png")
form:mouse_move(250, 200)
form:mouse_down(250, 200)
form:mouse_move(220, 180)
form:mouse_move(200, 170)
form:mouse_up(200, 170)
form:render(out .. "/dragged.png")
