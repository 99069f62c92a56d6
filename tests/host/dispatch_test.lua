-- Every member of _ZelPicZoom by its type-library name, through dispatch:
-- properties read and written, methods with arguments by reference, records
-- as tables, enumerations by name, pictures by identity, and the errors a
-- wrong call gives, each naming the member.
local check = require("check")

local lake = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
local form = lumora.Form{width = 9000, height = 6000}
-- 400 x 300 pixels at (10, 10).
local z = form:add("ZelPicZoom", "z1", {Left = 150, Top = 150, Width = 6000, Height = 4500})
form:show()
local hbar, vbar = form:find("z1.HScroll"), form:find("z1.VScroll")

-- The type library lists 38 members; each one is reachable by name.
check.members_reachable(z, "ZelPicZoom", 38)
check.fails(function() return lumora.members("ZelNothing") end, 'no class "ZelNothing"')

-- Enumerations by name.
check.eq(lumora.gdCenter, 4, "gdCenter")
check.eq(lumora.gdBottomRight, 8, "gdBottomRight")
check.eq(lumora.sdcUp, 0, "sdcUp")
check.eq(lumora.sdRight, 3, "sdRight")
check.eq(lumora.sbNone, 1, "sbNone")

-- Properties: let and get, with their effect on the constituents.
z.BarsWidth = 20
check.eq(z.BarsWidth, 20, "BarsWidth")
check.eq(z.barswidth, 20, "names ignore case")
z.BackColor = 0x336699
check.eq(z.BackColor, 0x336699, "BackColor")
z.BackColor = 0x8000000F -- a system colour, given as its 32-bit pattern
check.eq(z.BackColor & 0xFFFFFFFF, 0x8000000F, "system BackColor")
z.Appearance = 0
check.eq(z.Appearance, 0, "Appearance")
z.BorderStyle = 0
check.eq(z.BorderStyle, 0, "BorderStyle")
z.MousePointer = 2
check.eq(z.MousePointer, 2, "MousePointer")
z.MouseScrolling = false
check.eq(z.MouseScrolling, false, "MouseScrolling")
z.MouseScrolling = true
z.Enabled = false
check.eq(z.Enabled, false, "Enabled")
z.Enabled = true

-- Pictures: set by reference, compared by identity.
local icon = lumora.LoadPicture(check.source .. "/examples/pictures/lake_at_dusk.jpg")
check.truthy(icon ~= lake, "two loads are two pictures")
z.MouseIcon = icon
check.truthy(z.MouseIcon == icon, "MouseIcon is the picture assigned")
check.truthy(rawequal(z.MouseIcon, icon), "one handle per picture")
z.MouseScrollingIcon = icon
check.truthy(z.MouseScrollingIcon == icon, "MouseScrollingIcon")
z.Picture = lake
check.truthy(z.Picture == lake, "Picture is the picture assigned")
check.truthy(z.Picture ~= icon, "and not an equal one")
check.eq(lake.Width, 52917, "picture width in HIMETRIC")
check.eq(z.ZoomPercent, 100, "a new picture shows at 100 %")

-- Records come back as tables of their fields.
local size = z.PictureSize
check.eq(size.psWidth, 2000, "psWidth")
check.eq(size.psHeight, 1500, "psHeight")
local pos = z.PicturePosition
check.eq(type(pos), "table", "PicturePosition")
check.eq(pos.ppTop, false, "the middle of a large picture touches no edge")
check.eq(hbar.Max - hbar.Min, 2000 - (400 - z.BarsWidth), "the bar's range covers the hidden part")

-- Zoom methods.
z:ZoomIn()
check.eq(z.ZoomPercent, 125, "ZoomIn")
check.eq(z.PictureSize.psWidth, 2500, "125 % of 2000")
z:ZoomOut()
z:ZoomOut()
check.eq(z.ZoomPercent, 90, "ZoomOut twice: 125, 100, 90")
z:ZoomReal()
check.eq(z.ZoomPercent, 100, "ZoomReal")
z:FeedBest()
check.truthy(z.PictureSize.psWidth <= 400 and z.PictureSize.psHeight <= 300, "FeedBest fits")
check.truthy(z.PicturePosition.ppTop and z.PicturePosition.ppRight, "a fitted picture shows its edges")
z:Stretch()
check.eq(z.PictureSize.psWidth, 400, "Stretch fills the width")
check.eq(z.PictureSize.psHeight, 300, "and the height")
z:ZoomReal()

-- Go and Scroll take their arguments by reference: the call returns the
-- result (nil for a Sub), then each such argument as the method left it.
local result, direction = z:Go(lumora.gdTopLeft)
check.eq(result, nil, "Go returns nothing")
check.eq(direction, lumora.gdTopLeft, "Direction comes back")
pos = z.PicturePosition
check.truthy(pos.ppTop and pos.ppLeft and not pos.ppBottom and not pos.ppRight, "top left corner")
check.eq(hbar.Value, hbar.Min, "left end")
z:Go(lumora.gdBottomRight)
pos = z.PicturePosition
check.truthy(pos.ppBottom and pos.ppRight and not pos.ppTop, "bottom right corner")
z:Go(lumora.gdTopLeft)
local _, dir, step = z:Scroll(lumora.sdDown, 10)
check.eq(dir, lumora.sdDown, "Scroll's Direction")
check.eq(step, 10, "Scroll's PixelsStep")
check.eq(vbar.Value, vbar.Min + 10, "scrolled down by 10 pixels")
lumora.clear_err()
z:Scroll(lumora.sdDown, 0)
check.eq(lumora.err().Number, 1, "a zero step is refused inside the method")
check.eq(lumora.err().Description, "PixelsStep must be > 0", "and says why")
check.eq(vbar.Value, vbar.Min + 10, "without scrolling")
z:ScrollLoop(lumora.sdRight, 7)
check.eq(hbar.Value, hbar.Min + 7, "ScrollLoop steps right")

-- ScrollBars and hWnd.
z.ScrollBars = lumora.sbNone
check.eq(z.ScrollBars, lumora.sbNone, "ScrollBars")
check.eq(hbar.Visible, false, "no bars in sbNone")
z.ScrollBars = lumora.sbAutomatic
check.eq(hbar.Visible, true, "bars again")
check.eq(z.hWnd, form:find("z1.picScroll").hWnd, "hWnd is the picture surface's window")
check.truthy(z.hWnd ~= 0, "a window handle")

-- The shown image, saved and read back.
local image = z.Image
check.truthy(image ~= nil and image.Handle ~= 0, "Image")
local saved = check.out .. "/saved.bmp"
os.remove(saved)
local _, path = z:SaveTo(saved)
check.eq(path, saved, "SaveTo's PicturePath comes back")
check.eq(lumora.LoadPicture(saved).Width, image.Width, "the saved file holds the image")

z:Clear()
check.eq(z.Picture, nil, "Clear drops the picture")
z.Picture = lake
z.Picture = nil
check.eq(z.Picture, nil, "assigning nil assigns Nothing")

-- Dispatch errors name the member and the runtime's error.
check.fails(function() z.ZoomPercent = 5 end, "z1.ZoomPercent: 'ZoomPercent' property is read-only (error 383)")
check.fails(function() z.BarsWidth = "wide" end, "z1.BarsWidth: Type mismatch")
check.fails(function() z.BarsWidth = 1e9 end, "(error 6)")
check.fails(function() z:Go() end, "z1.Go: Wrong number of arguments")
check.fails(function() z:Go(1, 2) end, "takes 1 argument, not 2 (error 450)")
check.fails(function() z.Go(4) end, "z1.Go: call methods with ':'")
check.fails(function() z.ZoomIn = 1 end, "cannot be assigned (error 450)")
check.fails(function() return z.Frobnicate end, "z1.Frobnicate: Object doesn't support this property or method (error 438)")
check.fails(function() z.Frobnicate = 1 end, "z1.Frobnicate")
check.fails(function() z.Picture = {} end, "z1.Picture: a table cannot be passed")
check.fails(function() z.MouseIcon = 5 end, "z1.MouseIcon: Type mismatch")
check.fails(function() return z[1] end, "members are named by strings")
-- The failing line is the script's.
check.fails(function() z.BarsWidth = "x" end, "dispatch_test.lua:%d+: z1.BarsWidth", "position", true)
