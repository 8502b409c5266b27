IF OBJECT_ID('sales.sales_OrdersTallixInsert') IS NOT NULL
BEGIN
   DROP TRIGGER sales.sales_OrdersTallixInsert
   IF OBJECT_ID('sales.sales_OrdersTallixInsert') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.sales_OrdersTallixInsert >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.sales_OrdersTallixInsert >>>'
END
GO

IF OBJECT_ID('sales.sales_OrdersTallixUpdate') IS NOT NULL
BEGIN
   DROP TRIGGER sales.sales_OrdersTallixUpdate
   IF OBJECT_ID('sales.sales_OrdersTallixUpdate') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.sales_OrdersTallixUpdate >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.sales_OrdersTallixUpdate >>>'
END
GO

IF OBJECT_ID('sales.sales_OrdersTallixDelete') IS NOT NULL
BEGIN
   DROP TRIGGER sales.sales_OrdersTallixDelete
   IF OBJECT_ID('sales.sales_OrdersTallixDelete') IS NOT NULL
      PRINT '<< FAILED DROPPING TRIGGER sales.sales_OrdersTallixDelete >>>'
   ELSE
      PRINT '<<< DROPPED TRIGGER sales.sales_OrdersTallixDelete >>>'
END
GO

