-- expect: held_key_never_released.lua:9: a loop yielded 1000000 times with no input pending or scheduled
-- A held key whose release never comes would loop for ever: the script stops
-- with an error that says what it waits for.
local form = lumora.Form{}
local z = form:add("ZelPicZoom", "z1", {Width = 3000, Height = 3000})
form:show()
z.Picture = lumora.LoadPicture(arg[1] .. "/examples/pictures/lake_at_dusk.jpg")
z:SetFocus()
form:key_down(lumora.keys.Right)
