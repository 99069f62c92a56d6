-- The About box from a script: AboutBox shows frmAbout modally; a scheduled
-- function finds it by name and clicks in it. Scripts start no programs: the
-- launcher only records what it was asked to start.
local check = require("check")

local form = lumora.Form{width = 6000, height = 4500}
local z = form:add("ZelPicZoom", "z1", {Left = 0, Top = 0, Width = 6000, Height = 4500})
form:show()

local caption, version
form:after(1, function()
  local about = lumora.form("frmAbout")
  check.truthy(about ~= nil, "the dialog is open while AboutBox runs")
  caption = about.Caption
  version = about:find("lblVersion").Caption
  about:click_on("lblZel(0)")
  about:click_on("lblZel(1)")
  about:click_on("OKButton")
end)
z:AboutBox()
check.truthy(caption ~= nil and caption ~= "", "the dialog has a caption")
check.eq(version, "Version 2.0", "the version label")
check.eq(lumora.form("frmAbout"), nil, "OK closed the dialog")

local launches = lumora.launches()
check.eq(#launches, 2, "each contact label asked to start one program")
check.eq(launches[1][1], "Start.exe", "the document opener")
check.truthy(launches[1][2]:find("^http") or launches[1][2]:find("^www"), "a web address: " .. launches[1][2])
check.truthy(launches[2][2]:find("^mailto:"), "a mail address: " .. launches[2][2])
check.eq(#launches[1], 2, "one argument")

-- Without anything to close it, the modal dialog cannot run headless: the
-- failure is absorbed by AboutBox and leaves no window and no error behind.
lumora.clear_err()
z:AboutBox()
check.eq(lumora.form("frmAbout"), nil, "no dialog left open")
check.eq(lumora.err().Number, 0, "the absorbed failure leaves Err as it was")
