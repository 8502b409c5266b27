IF OBJECT_ID('sales.OrdersTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER sales.OrdersTallixInsert
   IF OBJECT_ID('sales.OrdersTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.OrdersTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.OrdersTallixInsert >>>'
END
GO

IF OBJECT_ID('sales.OrdersTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER sales.OrdersTallixUpdate
   IF OBJECT_ID('sales.OrdersTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.OrdersTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.OrdersTallixUpdate >>>'
END
GO

IF OBJECT_ID('sales.OrdersTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER sales.OrdersTallixDelete
   IF OBJECT_ID('sales.OrdersTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.OrdersTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.OrdersTallixDelete >>>'
END
GO

