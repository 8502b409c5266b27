CAST(CAST(a AS int) + (b) AS money) /* x */ -- y
 CONVERT(decimal(10, 2), [x y], 21)