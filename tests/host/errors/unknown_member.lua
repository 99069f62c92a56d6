-- expect: unknown_member.lua:5: z1.Frobnicate: Object doesn't support this property or method .error 438.
-- Calling a member the class lacks names it.
local form = lumora.Form{}
local z = form:add("ZelPicZoom", "z1", {Width = 3000, Height = 3000})
z:Frobnicate(1)
