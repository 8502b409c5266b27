SET IDENTITY_INSERT Orders ON
GO

INSERT Orders (
       OrderID
       )
VALUES (
       CAST('O''Brien' AS varchar(40))
       )
DELETE Orders
WHERE OrderID='5'
