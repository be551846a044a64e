// A first program for the example driver, in yabasic's own BASIC.
// greet is a procedure (SUB); square gives back a value, as a FUNCTION does.

sub greet(name$)
  print "Hello, ", name$, "!"
end sub

sub square(x)
  return x * x
end sub

input "Your name: " name$
greet(name$)
input "A number: " n
print n, " squared is ", square(n)
