// A program with a deliberate error on line 9: F5 opens the error dialog, and
// Goto Line puts the caret on that line.

sub average(a, b)
  return (a + b) / 2
end sub

print "The average of 3 and 5 is ", average(3, 5)
print "This line lacks its closing bracket: ", average(1, 2
