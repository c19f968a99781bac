-- Order book schema and reports for a small shop (Sybase ASE flavour).
-- Written for the highlighter tests; it is not run anywhere.

/* Tables
   ------
   customers, orders and order_lines keep the sales;
   #tmp_totals is a session table filled by the report procedure. */

create table customers (
    customer_id   int          identity,
    name          varchar(80)  not null,
    email         varchar(120) null,
    created       datetime     default getdate(),
    constraint pk_customers primary key clustered (customer_id)
)
go

CREATE TABLE orders (
    order_id     INT IDENTITY,
    customer_id  INT NOT NULL,
    placed       DATETIME NOT NULL,
    status       CHAR(1) DEFAULT 'N',  -- N new, P paid, S shipped
    total        NUMERIC(12,2) DEFAULT 0.00,
    CONSTRAINT fk_orders_customer FOREIGN KEY (customer_id)
        REFERENCES customers (customer_id)
)
GO

create nonclustered index ix_orders_placed on orders (placed)
go

/* Procedure: monthly totals for one customer */
create procedure report_totals
    @customer_id int,
    @from        datetime = null,
    @to          datetime = null
as
begin
    declare @rows int, @msg varchar(200)

    if @from is null select @from = dateadd(mm, -1, getdate())
    if @to   is null select @to   = getdate()

    select datepart(yy, o.placed) as yr,
           datepart(mm, o.placed) as mon,
           sum(o.total)           as amount,
           count(*)               as n
      into #tmp_totals
      from orders o
     where o.customer_id = @customer_id
       and o.placed between @from and @to
       and o.status in ('P', 'S')
     group by datepart(yy, o.placed), datepart(mm, o.placed)

    select @rows = @@rowcount
    if @rows = 0
    begin
        select @msg = 'No orders for customer ' + convert(varchar(10), @customer_id)
        print @msg
        return 1
    end

    select yr, mon, amount, n, amount / n as average
      from #tmp_totals
     order by yr desc, mon desc

    drop table #tmp_totals
    return 0
end
go

-- A string that spans lines keeps its colour until the closing quote
insert into customers (name, email)
values ('O''Brien & Sons', 'sales@example.com')
insert into customers (name, email) values ('Multi
line name', null)
go

update orders
   set status = 'P',
       total = total * 1.175
 where order_id >= 100 and order_id <= 200
   and total <> 0
go

select "quoted ""column"" name", x#1, price$
  from orders
 where total != 0 and status ^= 'S' -- operators from other dialects
go

/* unterminated comment running to the end of the file
select * from customers
