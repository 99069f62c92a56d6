-- Checks what `lumora demo OUT_DIR` left in OUT_DIR (run after it by CTest):
-- every numbered frame at the demo form's size, and a contact sheet.
local check = require("check")
local dir = arg[1]

local names = {"01_start", "02_zoom_in", "04_fit", "06_top_left", "10_drag", "13_thumb_drag",
               "14_held_down", "16_scroll_to_control", "17_about"}
local frames = {}
for _, name in ipairs(names) do
  frames[name] = lumora.LoadPicture(dir .. "/" .. name .. ".png")
end
local himetric = function(pixels) return math.floor(pixels * 2540 / 96 + 0.5) end
check.eq(frames["01_start"].Width, himetric(1280), "a frame is 1280 pixels wide")
check.eq(frames["01_start"].Height, himetric(800), "and 800 high")
-- The steps changed what the frames show: the viewer's middle differs.
local function middle(name) return lumora.pixel(frames[name], 436, 344) end
check.truthy(middle("01_start") ~= middle("06_top_left"), "jumping to a corner moved the picture")
check.truthy(middle("06_top_left") ~= middle("10_drag"), "the drag moved it")
local sheet = lumora.LoadPicture(dir .. "/contact_sheet.png")
check.truthy(sheet.Width > himetric(4 * 320), "the contact sheet holds four columns")
