-- expect: not_a_picture.lua:4: lumora.LoadPicture: .*not_a_picture.lua: .*error 481
-- A file that is no picture gives the codec's error, naming the file.
local self = arg[0]
local p = lumora.LoadPicture(self)
