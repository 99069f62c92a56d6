-- Events with arguments by reference: a MouseMove handler that clears the
-- button stops ZelPicZoom's drag, because the control acts on the arguments
-- as the handler left them. Every event is also kept in the form's log.
--
--   build/src/host/lumora run examples/events.lua
local here = arg[0]:match("^(.*)/[^/]*$") or "."

local form = lumora.Form{width = 6000, height = 4500}
local z = form:add("ZelPicZoom", "z1", {Left = 0, Top = 0, Width = 6000, Height = 4500})
form:show()
z.Picture = lumora.LoadPicture(here .. "/pictures/lake_at_dusk.jpg")
local bar = form:find("z1.HScroll") -- a constituent, by its path

local function drag()
  local before = bar.Value
  form:mouse_down(200, 150)
  form:mouse_move(150, 150)
  form:mouse_up(150, 150)
  return bar.Value - before
end

print("a free drag to the left scrolls by " .. drag() .. " pixels")

local locked = true
form:on(z, "MouseMove", function(args)
  if locked then args.Button = 0 end -- the control sees no button held
end)
print("with the handler holding it, by " .. drag() .. " pixels")

form:clear_events()
locked = false
drag()
for i, e in ipairs(form:events()) do
  local a = e.args
  print(string.format("%2d  %s.%s  Button=%s X=%s", i, e.path, e.name, tostring(a.Button), tostring(a.X)))
end
