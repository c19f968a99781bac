/*
 * Lending library: schema, seed data and the reports the front desk runs.
 * Written for a Sybase ASE server; run with isql -i library_loans.sql.
 */

use library
go

-- Tables -----------------------------------------------------------------

if exists (select 1 from sysobjects where name = 'loan' and type = 'U')
    drop table loan
go

create table member (
    member_id     int          identity,
    surname       varchar(60)  not null,
    given_name    varchar(60)  null,
    email         varchar(120) null,
    joined_on     datetime     default getdate() not null,
    fines_cents   int          default 0 not null,
    constraint pk_member primary key clustered (member_id)
)
go

create table title (
    title_id      int          identity,
    isbn          char(13)     null,
    heading       varchar(200) not null,
    author        varchar(120) null,
    published     smallint     null,
    constraint pk_title primary key (title_id),
    constraint ck_published check (published between 1450 and 2100)
)
go

create table copy (
    copy_id       int          identity,
    title_id      int          not null,
    shelf_mark    varchar(20)  not null,
    withdrawn     bit          default 0,
    constraint pk_copy primary key (copy_id),
    constraint fk_copy_title foreign key (title_id) references title (title_id)
)
go

create table loan (
    loan_id       numeric(10,0) identity,
    copy_id       int          not null,
    member_id     int          not null,
    lent_on       datetime     not null,
    due_on        datetime     not null,
    returned_on   datetime     null,
    constraint pk_loan primary key (loan_id)
)
go

create nonclustered index ix_loan_member on loan (member_id, due_on)
go

-- Seed data -----------------------------------------------------------------

insert into member (surname, given_name, email) values ('Okafor', 'Ada', 'ada@example.org')
insert into member (surname, given_name, email) values ('Lindqvist', 'Per', null)
insert into member (surname, given_name, email) values ('O''Neill', 'Siobhan', 'sio@example.net')
insert into title (isbn, heading, author, published)
    values ('9780000000017', 'A History of Small Bridges', 'M. Ferreira', 1998)
insert into title (isbn, heading, author, published)
    values ('9780000000024', 'Cooking with Fewer Pans', 'J. Abernathy', 2011)
insert into copy (title_id, shelf_mark) values (1, '624.2 FER')
insert into copy (title_id, shelf_mark) values (1, '624.2 FER c.2')
insert into copy (title_id, shelf_mark) values (2, '641.5 ABE')
go

-- Procedures -----------------------------------------------------------------

create procedure lend_copy
    @copy_id   int,
    @member_id int,
    @days      int = 21
as
begin
    declare @open_loans int, @fines int

    select @open_loans = count(*)
      from loan
     where member_id = @member_id
       and returned_on is null

    select @fines = fines_cents from member where member_id = @member_id

    if @fines > 500 or @open_loans >= 8
    begin
        raiserror 20001 'Member %1! may not borrow: fines or loan limit', @member_id
        return 1
    end

    if exists (select 1 from loan where copy_id = @copy_id and returned_on is null)
    begin
        raiserror 20002 'Copy %1! is already lent', @copy_id
        return 2
    end

    begin transaction
        insert into loan (copy_id, member_id, lent_on, due_on)
        values (@copy_id, @member_id, getdate(), dateadd(dd, @days, getdate()))
        if @@error != 0
        begin
            rollback transaction
            return 3
        end
    commit transaction
    return 0
end
go

create procedure return_copy @copy_id int
as
    declare @late_days int
    update loan
       set returned_on = getdate(),
           @late_days = datediff(dd, due_on, getdate())
     where copy_id = @copy_id
       and returned_on is null

    /* Ten cents a day, capped at the price of a paperback:
       the cap keeps forgotten books from ruining anyone. */
    if @late_days > 0
        update member
           set fines_cents = fines_cents + case when @late_days * 10 > 900 then 900
                                                else @late_days * 10 end
          from member m, loan l
         where l.copy_id = @copy_id
           and m.member_id = l.member_id
go

-- Reports ---------------------------------------------------------------------

-- Overdue loans, the oldest first.
select m.surname + ', ' + isnull(m.given_name, '?') as member,
       t.heading,
       c.shelf_mark,
       convert(char(10), l.due_on, 103) as due,
       datediff(dd, l.due_on, getdate()) as days_late
  from loan l
  join copy c   on c.copy_id = l.copy_id
  join title t  on t.title_id = c.title_id
  join member m on m.member_id = l.member_id
 where l.returned_on is null
   and l.due_on < getdate()
 order by l.due_on asc
go

-- Busiest titles this year, with a running share.
select t.heading, count(*) as loans,
       str(100.0 * count(*) / (select count(*) from loan where datepart(yy, lent_on) = 2024), 5, 1) as share
  from loan l, copy c, title t
 where c.copy_id = l.copy_id
   and t.title_id = c.title_id
   and l.lent_on >= '2024-01-01'
 group by t.heading
having count(*) > 2
 order by 2 desc
go

-- Odd corners: numbers, operators, quoting.
select 1..2, 1-2, 3.25, -7, 2e3, 10 % 3, 6 ^ 3, ~1, 5 & 4 | 1
select "double ""quoted"" text", 'single ''pair''', 'a' + "b"
select #tmp_id from #work_table  -- temp tables start with a stray character
select x#1, amount$ from ledger where note like '%late%' escape '\'
select @@rowcount, @@trancount, @local_var
update member set fines_cents *= 2 where fines_cents != 0
select 'this string is left open
and goes on for a second line
until here' as oddity
go
