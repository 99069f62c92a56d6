-- expect: dispatch_error.lua:5: z1.BarsWidth: Type mismatch
-- A dispatch error names the member.
local form = lumora.Form{}
local z = form:add("ZelPicZoom", "z1", {Width = 3000, Height = 3000})
z.BarsWidth = "wide"
