-- The smallest tour: a ZelPicZoom on a form, driven by name through its
-- type-library interface, and one rendered frame.
--
--   build/src/host/lumora run examples/hello_zoom.lua [OUT_DIR]
local out = lumora.mkdir(arg[1] or "out/hello")
local here = arg[0]:match("^(.*)/[^/]*$") or "."

-- A form of 640 x 480 pixels (sizes are in twips, 15 to the pixel).
local form = lumora.Form{width = 640 * 15, height = 480 * 15}
local z = form:add("ZelPicZoom", "z1", {Left = 0, Top = 0, Width = 640 * 15, Height = 480 * 15})
form:show()

z.Picture = lumora.LoadPicture(here .. "/pictures/lake_at_dusk.jpg")
z.BarsWidth = 18
z:ZoomIn()
z:Go(lumora.gdTopLeft)

local size, pos = z.PictureSize, z.PicturePosition
print(string.format("zoom %d %%, shown at %d x %d, top edge in view: %s, left edge: %s",
                    z.ZoomPercent, size.psWidth, size.psHeight, pos.ppTop, pos.ppLeft))
form:render(out .. "/hello_zoom.png")
print("wrote " .. out .. "/hello_zoom.png")
