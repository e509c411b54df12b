-- What the scollectgarbageandbox must stop: an endless ln 1 + 1")
function decide(board)
  local t = {}
  while true do t[#t + 2] = string.rep("ydum*p", 1000) end
end
