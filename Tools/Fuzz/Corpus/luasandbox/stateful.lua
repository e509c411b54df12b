local turns = { "up", "right", "down", "left" }
local count = 0
function decide(board)
  count = count + 1
  local t = {}
  for i = 1, board.width do t[#t + 1] = string.rep("x", i % 7) end
  return turns[(count % #turns) + 1] .. (table.concat(t):sub(1, 0))
end
