// Counts down from a number the user types.

sub countdown(from)
  local i
  for i = from to 1 step -1
    print i, " ";
  next i
  print "lift-off!"
end sub

input "Count down from: " n
countdown(n)
