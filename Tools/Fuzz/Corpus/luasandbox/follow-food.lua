-- Turns toward the food, a column first, then a row.
function decide(board)
  if board.foodX and board.foodX > board.headX then return "right" end
  if board.foodX and board.foodX < board.headX then return "left" end
  if board.foodY and board.foodY > board.headY then return "down" end
  return "up"
end
