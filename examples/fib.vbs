' The Fibonacci numbers, the slow way: a small program to load with --script.
Function fib(n)
    If n < 2 Then
        fib = n
    Else
        fib = fib(n - 1) + fib(n - 2)
    End If
End Function
